// The wizard against simulated cameras in a throw-away network: search, login, a whole wired
// set-up, and leaving while a search runs.

#include "CDlgListCam.h"
#include "CredentialCipher.h"
#include "NetLab.h"
#include "ShellOpen.h"
#include "WizardCommand.h"
#include "WizardTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QSet>
#include <QTableWidget>
#include <QtTest>
#include <regex>

using namespace WizardTest;

namespace {

const std::string kCameraMac = "02:00:5e:00:00:01";
const QString kCameraMacText = QStringLiteral("02.00.5e.00.00.01");
const std::string kOtherMac = "02:00:5e:00:00:02";

} // namespace

class WizardNetTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<NetLab> m_lab;
    std::filesystem::path m_state;
    std::unique_ptr<CQuillaneDlg> m_wizard;
    QString m_shots;
    int m_shot = 0;

    // One link with the pc at 198.18.0.1/24 and one simulator playing the given cameras.
    void buildLab(const std::vector<std::string>& cameras, const std::vector<std::string>& options = {})
    {
        m_lab = std::make_unique<NetLab>();
        m_lab->AddLink("lan");
        m_lab->AddPcAdapter("lan", "eth0", {"198.18.0.1/24"});
        m_lab->AddCameraHost("cams", "lan", "198.18.0.250/24");
        std::vector<std::string> args;
        for (const std::string& camera : cameras) {
            args.push_back("--camera");
            args.push_back(camera);
        }
        args.insert(args.end(), options.begin(), options.end());
        m_state = m_lab->StartSimulator("cams", args);
        m_lab->EnterPc();
    }

    void startWizard(std::chrono::milliseconds searchQuiet = std::chrono::milliseconds(400))
    {
        DeviceTimeouts timeouts;
        timeouts.searchQuiet = searchQuiet;
        timeouts.receive = std::chrono::milliseconds(300);
        m_wizard = std::make_unique<CQuillaneDlg>(timeouts, kProgramFolder);
        m_wizard->OnInitDialog();
    }

    CWizardPage* page() const { return m_wizard->currentPage(); }
    CDlgListCam* listPage() const { return qobject_cast<CDlgListCam*>(page()); }

    std::string simulator() const { return NetLab::ReadState(m_state); }

    // With QUILLANE_SHOT_DIR set, every step's page is saved there as a PNG for review.
    void shoot(const QString& name)
    {
        if (m_shots.isEmpty() || !page())
            return;
        Settle();
        page()->grab().save(
            QStringLiteral("%1/%2-%3.png").arg(m_shots).arg(++m_shot, 2, 10, QLatin1Char('0')).arg(name));
    }

    void waitForSearch() { QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000); }

    int rowOf(const QString& mac) const
    {
        QTableWidget* list = listPage()->list();
        for (int row = 0; row < list->rowCount(); ++row) {
            for (int column = 0; column < list->columnCount(); ++column) {
                if (list->item(row, column) && list->item(row, column)->text() == mac)
                    return row;
            }
        }
        return -1;
    }

    QString cell(int row, const QString& captionPart) const
    {
        QTableWidget* list = listPage()->list();
        for (int column = 0; column < list->columnCount(); ++column) {
            if (list->horizontalHeaderItem(column)->text().contains(captionPart))
                return list->item(row, column) ? list->item(row, column)->text() : QString();
        }
        return {};
    }

    void chooseAndGoToLogin(const QString& mac)
    {
        const int row = rowOf(mac);
        QVERIFY(row >= 0);
        listPage()->list()->selectRow(row);
        Settle();
        QCOMPARE(listPage()->chosenIndex() >= 0, true);
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::IdPwd);
    }

private slots:
    void initTestCase() { m_shots = qEnvironmentVariable("QUILLANE_SHOT_DIR"); }

    void init()
    {
        const QString problem = IsolationProblem();
        if (!problem.isEmpty())
            QSKIP(qPrintable(problem));
        const std::string reason = NetLab::SkipReason();
        if (!reason.empty())
            QSKIP(reason.c_str());
        MessageBox::enableTestMode(true);
        MessageBox::clearShown();
        ShellOpen::enableTestMode(true);
        ShellOpen::clearOpened();
    }

    void cleanup()
    {
        m_wizard.reset();
        m_lab.reset();
        MessageBox::enableTestMode(false);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void wholeWiredSetUp()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,name=Entrance,ip=198.18.0.21,gateway=0.0.0.0",
                  "mac=" + kOtherMac + ",model=QC-120 Cube,name=Reception,ip=198.19.4.7"});
        startWizard();
        waitForSearch();
        shoot(QStringLiteral("camera-list"));
        QCOMPARE(listPage()->list()->rowCount(), 2);
        const int row = rowOf(kCameraMacText);
        QCOMPARE(cell(row, QStringLiteral("IP")), QStringLiteral("198.18.0.21"));
        QCOMPARE(cell(row, QStringLiteral("Model")), QStringLiteral("QC-210 Dome"));
        QCOMPARE(cell(row, QStringLiteral("Name")), QStringLiteral("Entrance"));
        QCOMPARE(cell(rowOf(QStringLiteral("02.00.5e.00.00.02")), QStringLiteral("IP")),
                 QStringLiteral("198.19.4.7"));
        chooseAndGoToLogin(kCameraMacText);

        // A wrong password: message 4, and the page stays with what was typed.
        Type(page(), 1101, QStringLiteral("admin"));
        Type(page(), 1102, QStringLiteral("wrong"));
        shoot(QStringLiteral("login"));
        Click(page(), 1003);
        Settle();
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(4)});
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        QCOMPARE(Text(page(), 1102), QStringLiteral("wrong"));
        MessageBox::clearShown();

        Type(page(), 1102, QStringLiteral("admin"));
        Click(page(), 1202);
        Settle();
        Type(page(), 1104, QStringLiteral("N3w-pass"));
        Type(page(), 1105, QStringLiteral("N3w-pass"));
        shoot(QStringLiteral("login-new-password"));
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWork);
        QVERIFY(MessageBox::shown().isEmpty());

        Click(page(), 1204);
        Settle();
        Type(page(), 1106, QStringLiteral("198.018.000.050"));
        Type(page(), 1107, QStringLiteral("255.255.255.0"));
        Type(page(), 1108, QStringLiteral("198.18.0.1"));
        Type(page(), 1109, QStringLiteral("198.18.0.2"));
        Type(page(), 1110, QStringLiteral("198.18.0.3"));
        shoot(QStringLiteral("network"));
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        shoot(QStringLiteral("summary"));
        const QStringList summary = {Text(page(), 1101), Text(page(), 1102), Text(page(), 1106),
                                     Text(page(), 1107), Text(page(), 1108), Text(page(), 1109),
                                     Text(page(), 1110)};
        QCOMPARE(summary, (QStringList{"admin", "N3w-pass", "198.18.0.50", "255.255.255.0", "198.18.0.1",
                                       "198.18.0.2", "198.18.0.3"}));

        const CWizardPage* summaryPage = page();
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::ListCam);
        QVERIFY(page() != summaryPage);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(m_wizard->state().adminPassword.empty());

        const std::string state = simulator();
        const std::string mac = kCameraMac;
        QCOMPARE(CameraValue(state, "ip", mac), std::string("198.18.0.50"));
        QCOMPARE(CameraValue(state, "mask", mac), std::string("255.255.255.0"));
        QCOMPARE(CameraValue(state, "gateway", mac), std::string("198.18.0.1"));
        QCOMPARE(CameraValue(state, "dns1", mac), std::string("198.18.0.2"));
        QCOMPARE(CameraValue(state, "dns2", mac), std::string("198.18.0.3"));
        QCOMPARE(CameraValue(state, "dhcp", mac), std::string("0"));
        QCOMPARE(CameraValue(state, "name", mac), std::string("Entrance"));
        QCOMPARE(CameraValue(state, "passwordCipher", mac), CipherHex("N3w-pass"));
        QCOMPARE(CameraValue(state, "ip", kOtherMac), std::string("198.19.4.7"));
        QCOMPARE(RequestCount(state, 0xA4), 1); // ChangeIDPWD
        QCOMPARE(RequestCount(state, 0xA2), 1); // SetBasic
        QCOMPARE(RequestCount(state, 0xAA), 0); // no Reset for this model

        // The fresh list searches again and finds the camera at its new address.
        waitForSearch();
        QCOMPARE(RequestCount(simulator(), 0xA1) >= 2, true);
        QCOMPARE(cell(rowOf(kCameraMacText), QStringLiteral("IP")), QStringLiteral("198.18.0.50"));
    }

    void dhcpOnAK7ZModelEndsWithAReset()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-K7Z Pan,ip=198.18.0.40,webport=8080"});
        startWizard();
        waitForSearch();
        QVERIFY(page()->FindControl(1011)->isVisible());
        shoot(QStringLiteral("camera-list-wps"));
        Click(page(), 1005);
        Settle();
        QCOMPARE(ShellOpen::opened(), QStringList{QStringLiteral("http://198.18.0.40:8080")});
        chooseAndGoToLogin(kCameraMacText);
        Type(page(), 1101, QStringLiteral("admin"));
        Type(page(), 1102, QStringLiteral("admin"));
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWork);
        Click(page(), 1203);
        Settle();
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        QCOMPARE(Text(page(), 1106), QStringLiteral("Auto"));
        shoot(QStringLiteral("summary-dhcp"));
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::ListCam);
        const std::string state = simulator();
        QCOMPARE(CameraValue(state, "dhcp", kCameraMac), std::string("1"));
        QCOMPARE(RequestCount(state, 0xA4), 0);
        QCOMPARE(RequestCount(state, 0xA2), 1);
        QCOMPARE(RequestCount(state, 0xAA), 1);
    }

    void wpsButtonFollowsTheChosenModel()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21",
                  "mac=" + kOtherMac + ",model=QC-K7Z Pan,ip=198.18.0.22"});
        startWizard();
        waitForSearch();
        QWidget* wps = page()->FindControl(1011);
        listPage()->list()->selectRow(rowOf(QStringLiteral("02.00.5e.00.00.02")));
        Settle();
        QVERIFY(wps->isVisible());
        listPage()->list()->selectRow(rowOf(kCameraMacText));
        Settle();
        QVERIFY(!wps->isVisible());
        // With WPS off in the skin the button stays hidden whatever is chosen.
        m_wizard->state().wpsShow = 0;
        listPage()->list()->selectRow(rowOf(QStringLiteral("02.00.5e.00.00.02")));
        Settle();
        QVERIFY(!wps->isVisible());

        Click(page(), 1009);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::About);
        shoot(QStringLiteral("about"));
        Click(page(), 1003);
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::ListCam);
    }

    void everyCameraGetsExactlyOneRowAndTheLastSelectedRowDecides()
    {
        // Answers spread over the search, so rows are added while it runs and at its end.
        buildLab({"mac=02:00:5e:00:01:01,ip=198.18.0.101"}, {"--count", "40", "--spread", "400"});
        startWizard();
        waitForSearch();
        QTableWidget* list = listPage()->list();
        QCOMPARE(list->rowCount(), 40);
        QSet<QString> macs;
        for (int row = 0; row < list->rowCount(); ++row)
            macs.insert(cell(row, QStringLiteral("MAC")));
        QCOMPARE(macs.size(), 40);

        const int first = rowOf(QStringLiteral("02.00.5e.00.01.05"));
        const int last = rowOf(QStringLiteral("02.00.5e.00.01.09"));
        QVERIFY(first >= 0 && last >= 0);
        list->clearSelection();
        list->selectionModel()->select(list->model()->index(std::min(first, last), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectionModel()->select(list->model()->index(std::max(first, last), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Settle();
        QCOMPARE(listPage()->chosenIp(), cell(std::max(first, last), QStringLiteral("IP")));
    }

    void loginWithoutAnswerShowsMessage2000()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21"});
        startWizard();
        waitForSearch();
        chooseAndGoToLogin(kCameraMacText);
        // A camera that has gone away: nobody answers to this MAC.
        m_wizard->state().camera.macText = u"02.00.5e.00.00.99";
        Type(page(), 1101, QStringLiteral("admin"));
        Type(page(), 1102, QStringLiteral("admin"));
        Click(page(), 1003);
        Settle();
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(2000)});
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
    }

    void leavingDuringASearchEndsCleanly()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21"});
        // A quiet period far longer than the test: the search is still running when it leaves.
        startWizard(std::chrono::seconds(60));
        QTRY_COMPARE(listPage()->list()->rowCount(), 1);
        QVERIFY(listPage()->isSearching());
        QVERIFY(QApplication::overrideCursor());
        shoot(QStringLiteral("camera-list-searching"));
        page()->close();
        QTRY_VERIFY(m_wizard->hasEnded());
        QCOMPARE(page(), nullptr);
        QVERIFY(!QApplication::overrideCursor());
        m_wizard.reset();
    }
};

QTEST_MAIN(WizardNetTest)
#include "WizardNetTest.moc"
