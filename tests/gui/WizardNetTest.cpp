// SPDX-License-Identifier: Apache-2.0
// The wizard against simulated cameras in a throw-away network: search, login, a whole wired
// set-up (also with a slow camera, which must not freeze the window), and leaving while a
// search or an apply runs.

#include "engine/CredentialCipher.h"
#include "skin/WizardCommand.h"
#include "tests/gui/NetTestSupport.h"
#include "tests/gui/WizardTestSupport.h"
#include "tests/net/NetLab.h"
#include "wizard/CDlgAbout.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"
#include "wizard/CDlgNetWorkFinish.h"
#include "wizard/CDlgWireless.h"
#include "wizard/CDlgWirelessFinish.h"
#include "wizard/CDlgWirelessFinishNew.h"
#include "wizard/CDlgWirelessKey.h"
#include "wizard/CDlgWirelessNew.h"
#include "wizard/CDlgWirelessSelect.h"
#include "wizard/ShellOpen.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QSet>
#include <QTableWidget>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <regex>
#include <unistd.h>

using namespace WizardTest;

namespace {

const std::string kCameraMac = "02:00:5e:00:00:01";
const QString kCameraMacText = QStringLiteral("02.00.5e.00.00.01");
const std::string kOtherMac = "02:00:5e:00:00:02";
// A wireless camera; with 0xB2 among its opcodes it can also join by WPS.
const std::string kWirelessCamera =
    "mac=" + kCameraMac + ",model=QC-400W,name=Garden,ip=198.18.0.31,wireless=1";
const std::string kWpsOpcodes = ",opcodes=0xA1:0xA2:0xA3:0xA4:0xA5:0xA8:0xA9:0xAA:0xB2";

// Controls by the names their pages publish.
using List = CDlgListCam;
using Login = CDlgIdPwd;
using Net = CDlgNetWork;
using Summary = CDlgNetWorkFinish;
using About = CDlgAbout;

// The four WEP keys the simulated camera holds.
QStringList WepKeys(const std::string& state)
{
    std::smatch match;
    const std::regex keys("\"wepKeys\": \\[\"([^\"]*)\", \"([^\"]*)\", \"([^\"]*)\", \"([^\"]*)\"\\]");
    if (!std::regex_search(state, match, keys))
        return {QStringLiteral("<no wepKeys>")};
    QStringList list;
    for (int i = 1; i <= 4; ++i)
        list.append(QString::fromStdString(match[i].str()));
    return list;
}

// The camera list's apply status at the moment the list is shown. Read later, a slow machine may
// already see the result of the search that the list starts.
class ListShownStatus : public QObject
{
public:
    bool seen = false;
    QString status;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen && event->type() == QEvent::Show) {
            if (const auto* list = qobject_cast<CDlgListCam*>(watched)) {
                status = list->applyStatus();
                seen = true;
            }
        }
        return false;
    }
};

// Chooses the entry of a drop-down list that stands for the given code.
void Choose(CWizardPage* page, int id, int type)
{
    auto* box = page ? qobject_cast<QComboBox*>(page->FindControl(id)) : nullptr;
    QVERIFY2(box, qPrintable(QStringLiteral("no list %1").arg(id)));
    const int index = box->findData(type);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("list %1 has no entry %2").arg(id).arg(type)));
    box->setCurrentIndex(index);
    Settle();
}

QStringList Entries(CWizardPage* page, int id)
{
    QStringList texts;
    if (auto* box = page ? qobject_cast<QComboBox*>(page->FindControl(id)) : nullptr) {
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
    }
    return texts;
}

} // namespace

class WizardNetTest : public WizardNetFixture
{
    Q_OBJECT

private:
    // Follows the operation that a click has started to its end: meanwhile the page is busy
    // and shows it (only Exit stays usable), and a 20 ms timer keeps firing. A camera that
    // takes seconds would show as a gap of seconds.
    void watchOperation()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_wizard->runner().isRunning(), 2000);
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 longest = 0;
        QTimer timer;
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        timer.start();
        QVERIFY(page()->isBusy());
        QVERIFY(picButton(CWizardPage::kNext)->disabledFlag());
        QVERIFY(picButton(CWizardPage::kBack)->disabledFlag());
        QVERIFY(!picButton(CWizardPage::kExit)->disabledFlag());
        QWidget* indicator = page()->findChild<QWidget*>(QStringLiteral("BusyIndicator"));
        QVERIFY(indicator && indicator->isVisible());
        shoot(QStringLiteral("busy"));
        QTRY_VERIFY_WITH_TIMEOUT(!m_wizard->runner().isRunning(), 20000);
        QVERIFY2(clock.elapsed() > 1000, "the slow camera answered at once");
        QVERIFY2(longest < 1000,
                 qPrintable(QStringLiteral("the event loop stood still for %1 ms").arg(longest)));
    }

    CPicButton* picButton(int id) const { return qobject_cast<CPicButton*>(page()->FindControl(id)); }

    // From the list's first search: signs in to the camera (with a new password when given) and
    // takes DHCP on the network page.
    void signInAndTakeDhcp(const QString& newPassword = {})
    {
        waitForSearch();
        signIn(kCameraMacText, newPassword);
        takeDhcp();
    }

private slots:
    void init()
    {
        if (const QString reason = NetSkipReason(); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        enterTestModes();
        ShellOpen::enableTestMode(true);
        ShellOpen::clearOpened();
    }

    void cleanup() { leave(); }

    // The same set-up with a camera that answers at once and with one that answers every
    // request 2 s late: the slow one keeps the window alive and ends in the same state.
    void wholeWiredSetUp_data()
    {
        QTest::addColumn<int>("replyDelayMs");
        QTest::newRow("prompt camera") << 0;
        QTest::newRow("slow camera") << 2000;
    }

    void wholeWiredSetUp()
    {
        QFETCH(int, replyDelayMs);
        const bool slow = replyDelayMs > 0;
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,name=Entrance,ip=198.18.0.21,gateway=0.0.0.0",
                  "mac=" + kOtherMac + ",model=QC-120 Cube,name=Reception,ip=198.19.4.7"},
                 {"--reply-delay", std::to_string(replyDelayMs)});
        startWizard(std::chrono::milliseconds(400 + replyDelayMs),
                    std::chrono::milliseconds(300 + replyDelayMs * 3 / 2));
        waitForSearch();
        shoot(QStringLiteral("camera-list"));
        QCOMPARE(listPage()->list()->rowCount(), 2);
        const int row = rowOf(kCameraMacText);
        QCOMPARE(cell(row, QStringLiteral("IP")), QStringLiteral("198.18.0.21"));
        QCOMPARE(cell(row, QStringLiteral("Model")), QStringLiteral("QC-210 Dome"));
        QCOMPARE(cell(row, QStringLiteral("Name")), QStringLiteral("Entrance"));
        QCOMPARE(cell(rowOf(QStringLiteral("02.00.5e.00.00.02")), QStringLiteral("IP")),
                 QStringLiteral("198.19.4.7"));
        choose(kCameraMacText);
        next(PageId::IdPwd);

        // A wrong password: message 4, and the page stays with what was typed.
        Type(page(), Login::kAdminId, QStringLiteral("admin"));
        Type(page(), Login::kAdminPassword, QStringLiteral("wrong"));
        shoot(QStringLiteral("login"));
        Click(page(), Login::kNext);
        QTRY_COMPARE_WITH_TIMEOUT(ShownTexts(), QStringList{SkinMessage(4)}, 10000);
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        QCOMPARE(Text(page(), Login::kAdminPassword), QStringLiteral("wrong"));
        MessageBox::clearShown();

        Type(page(), Login::kAdminPassword, QStringLiteral("admin"));
        Click(page(), Login::kChangePasswordBox);
        Settle();
        Type(page(), Login::kNewPassword, QStringLiteral("N3w-pass"));
        Type(page(), Login::kConfirmPassword, QStringLiteral("N3w-pass"));
        shoot(QStringLiteral("login-new-password"));
        Click(page(), Login::kNext);
        if (slow)
            watchOperation();
        QTRY_COMPARE(m_wizard->currentPageId(), PageId::NetWork);
        QVERIFY(MessageBox::shown().isEmpty());

        Click(page(), Net::kDhcpOff);
        Settle();
        Type(page(), Net::kIp, QStringLiteral("198.018.000.050"));
        Type(page(), Net::kMask, QStringLiteral("255.255.255.0"));
        Type(page(), Net::kGateway, QStringLiteral("198.18.0.1"));
        Type(page(), Net::kDns1, QStringLiteral("198.18.0.2"));
        Type(page(), Net::kDns2, QStringLiteral("198.18.0.3"));
        shoot(QStringLiteral("network"));
        next(PageId::NetWorkFinish);
        shoot(QStringLiteral("summary"));
        const QStringList summary = {Text(page(), Summary::kAdminId), Text(page(), Summary::kAdminPassword),
                                     Text(page(), Summary::kIp),      Text(page(), Summary::kMask),
                                     Text(page(), Summary::kGateway), Text(page(), Summary::kDns1),
                                     Text(page(), Summary::kDns2)};
        QCOMPARE(summary, (QStringList{"admin", "N3w-pass", "198.18.0.50", "255.255.255.0", "198.18.0.1",
                                       "198.18.0.2", "198.18.0.3"}));

        const CWizardPage* summaryPage = page();
        Click(page(), Summary::kNext);
        if (slow)
            watchOperation();
        QTRY_COMPARE_WITH_TIMEOUT(m_wizard->currentPageId(), PageId::ListCam, 10000);
        QVERIFY(page() != summaryPage);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(m_wizard->state().adminPassword.empty());

        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"ip", "198.18.0.50"},
                      {"mask", "255.255.255.0"},
                      {"gateway", "198.18.0.1"},
                      {"dns1", "198.18.0.2"},
                      {"dns2", "198.18.0.3"},
                      {"dhcp", "0"},
                      {"name", "Entrance"},
                      {"passwordCipher", CipherHex("N3w-pass")}});
        ExpectCamera(state, kOtherMac, {{"ip", "198.19.4.7"}});
        QCOMPARE(RequestCount(state, 0xA4), 1); // ChangeIDPWD
        QCOMPARE(RequestCount(state, 0xA2), 1); // SetBasic
        QCOMPARE(RequestCount(state, 0xAA), 0); // no Reset for this model

        // The fresh list searches again and finds the camera at its new address.
        QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000 + replyDelayMs);
        QCOMPARE(RequestCount(simulator(), 0xA1) >= 2, true);
        QCOMPARE(cell(rowOf(kCameraMacText), QStringLiteral("IP")), QStringLiteral("198.18.0.50"));
    }

    void applyIsConfirmedByTheFreshList_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("rowMarked");
        QTest::newRow("taken") << QString()
                               << QStringLiteral(
                                      "Entrance (02.00.5e.00.00.01) answered with the settings just applied.")
                               << true;
        QTest::newRow("gateway ignored")
            << QStringLiteral("--ignore-setting=gateway")
            << QStringLiteral(
                   "Entrance (02.00.5e.00.00.01) answered with other settings: gateway '0.0.0.0' instead of "
                   "'198.18.0.1'.")
            << true;
        QTest::newRow("answer lost") << QStringLiteral("--drop-answers=0xA2")
                                     << QStringLiteral(
                                            "Entrance (02.00.5e.00.00.01) did not answer the apply, but "
                                            "answered with the settings just applied.")
                                     << true;
        QTest::newRow("gone") << QStringLiteral("--gone-after-write")
                              << QStringLiteral(
                                     "Entrance (02.00.5e.00.00.01) has not answered since the apply. It "
                                     "may still be restarting: press Search in a minute. Otherwise "
                                     "check its power and cable.")
                              << false;
    }

    void applyIsConfirmedByTheFreshList()
    {
        QFETCH(QString, fault);
        QFETCH(QString, expected);
        QFETCH(bool, rowMarked);
        std::vector<std::string> options;
        for (const QString& option : fault.split(QLatin1Char('='), Qt::SkipEmptyParts))
            options.push_back(option.toStdString());
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,name=Entrance,ip=198.18.0.21",
                  "mac=" + kOtherMac + ",model=QC-120 Cube,name=Reception,ip=198.18.0.22"},
                 options);
        startWizard();
        waitForSearch();
        QCOMPARE(listPage()->applyStatus(), QString());
        signIn(kCameraMacText);
        Click(page(), Net::kDhcpOff);
        Settle();
        Type(page(), Net::kIp, QStringLiteral("198.18.0.50"));
        Type(page(), Net::kMask, QStringLiteral("255.255.255.0"));
        Type(page(), Net::kGateway, QStringLiteral("198.18.0.1"));
        next(PageId::NetWorkFinish);
        ListShownStatus shown;
        qApp->installEventFilter(&shown);
        next(PageId::ListCam);
        qApp->removeEventFilter(&shown);
        QCOMPARE(ShownTexts(), QStringList());
        QVERIFY(shown.seen);
        QVERIFY2(shown.status.startsWith(QStringLiteral("Looking for Entrance")), qPrintable(shown.status));
        waitForSearch();
        shoot(QStringLiteral("confirmation-") +
              QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
        QCOMPARE(listPage()->applyStatus(), expected);
        const int row = rowOf(kCameraMacText);
        QCOMPARE(row >= 0, rowMarked);
        if (rowMarked)
            QCOMPARE(listPage()->list()->item(row, 0)->toolTip(), expected);
        const int other = rowOf(QStringLiteral("02.00.5e.00.00.02"));
        QCOMPARE(listPage()->list()->item(other, 0)->toolTip(), QString());

        // Only the list that follows the apply says so.
        Click(page(), List::kSearch);
        waitForSearch();
        QCOMPARE(listPage()->applyStatus(), expected);
        click(List::kAbout, PageId::About);
        next(PageId::ListCam);
        waitForSearch();
        QCOMPARE(listPage()->applyStatus(), QString());
    }

    // A wireless apply whose SetWLan answer is lost: the settings are read back right after it, and
    // the camera list says what they showed beside what its search found.
    void lostWirelessAnswerIsReadBack_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("expected");
        const QString taken = QStringLiteral("Garden (02.00.5e.00.00.01) did not answer the apply, but "
                                             "answered with the settings just applied.");
        QTest::newRow("taken") << QStringList{"--drop-answers", "0xA9"}
                               << taken + QStringLiteral(" Its wireless settings read back as applied.");
        QTest::newRow("SSID kept")
            << QStringList{"--drop-answers", "0xA9", "--ignore-setting", "essid"}
            << taken + QStringLiteral(
                           " Its wireless settings read back differ: SSID 'Yard' instead of 'Yard 2'.");
    }

    void lostWirelessAnswerIsReadBack()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, expected);
        std::vector<std::string> options;
        for (const QString& fault : faults)
            options.push_back(fault.toStdString());
        buildLab({kWirelessCamera + ",wlanenable=1,essid=Yard"}, options);
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessNew);
        Type(page(), CDlgWirelessNew::kSsid, QStringLiteral("Yard 2"));
        next(PageId::WirelessFinishNew);
        next(PageId::ListCam);
        QCOMPARE(ShownTexts(), QStringList());
        waitForSearch();
        QCOMPARE(listPage()->applyStatus(), expected);
        // The login's reading and the one right after the unanswered SetWLan.
        QCOMPARE(RequestCount(simulator(), 0xA8), 2);
    }

    void silentSearchNamesTheAdaptersAndTheFirewallRule_data()
    {
        QTest::addColumn<QString>("chain");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("advice");
        // Many desktops drop whatever is neither loopback nor a tracked connection: the answers.
        QTest::newRow("answers dropped")
            << QStringLiteral(
                   "chain input {\n  type filter hook input priority filter; policy drop;\n  iif lo "
                   "accept\n  ct state established,related accept\n }")
            << QStringLiteral("No camera answered on eth0 (198.18.0.1).")
            << QStringLiteral("nft add rule inet filter input udp sport 62976 accept");
        // A firewall that refuses output makes every send fail: no camera was even asked.
        QTest::newRow("requests refused")
            << QStringLiteral("chain output {\n  type filter hook output priority filter; policy accept;\n  "
                              "udp dport 62976 reject\n }")
            << QStringLiteral(
                   "No search request could be sent on eth0 (198.18.0.1): Operation not permitted.")
            << QStringLiteral("lets the search out");
    }

    void silentSearchNamesTheAdaptersAndTheFirewallRule()
    {
        QFETCH(QString, chain);
        QFETCH(QString, opening);
        QFETCH(QString, advice);
        buildLab({"mac=" + kCameraMac + ",ip=198.18.0.21"});
        if (!m_lab->PcFirewall("table inet filter {\n " + chain.toStdString() + "\n}\n"))
            QSKIP("nftables do not work in this namespace");
        startWizard();
        waitForSearch();
        shoot(QStringLiteral("camera-list-silent"));
        QCOMPARE(listPage()->list()->rowCount(), 0);
        const QString text = listPage()->listStatus();
        QVERIFY2(text.startsWith(opening), qPrintable(text));
        QVERIFY2(text.contains(advice), qPrintable(text));
    }

    void dhcpOnAK7ZModelEndsWithAReset()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-K7Z Pan,ip=198.18.0.40,webport=8080"});
        startWizard();
        waitForSearch();
        QVERIFY(page()->FindControl(List::kWps)->isVisible());
        shoot(QStringLiteral("camera-list-wps"));
        // No browser to take the web page, or no opener to ask: the person is told which.
        ShellOpen::failNextOpen();
        Click(page(), List::kLink);
        Settle();
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(65)});
        MessageBox::clearShown();
        ShellOpen::failNextOpen(ShellOpen::Failure::NoOpener);
        Click(page(), List::kLink);
        Settle();
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(70)});
        MessageBox::clearShown();
        Click(page(), List::kLink);
        Settle();
        QVERIFY(MessageBox::shown().isEmpty());
        const QString webPage = QStringLiteral("http://198.18.0.40:8080");
        QCOMPARE(ShellOpen::opened(), (QStringList{webPage, webPage, webPage}));
        signIn(kCameraMacText);
        takeDhcp();
        next(PageId::NetWorkFinish);
        QCOMPARE(Text(page(), Summary::kIp), QStringLiteral("Auto"));
        shoot(QStringLiteral("summary-dhcp"));
        next(PageId::ListCam);
        const std::string state = simulator();
        ExpectCamera(state, kCameraMac, {{"dhcp", "1"}});
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
        QWidget* wps = page()->FindControl(List::kWps);
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

        click(List::kAbout, PageId::About);
        shoot(QStringLiteral("about"));
        next(PageId::ListCam);
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

    // The second click of a double-click on Next lands where the next page has its own Next (the
    // summary's is Apply): it must not act on a page that the person has not seen yet.
    void aDoubleClickOnNextActsOnlyOnThePageSeen()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21"});
        startWizard();
        waitForSearch();
        const std::chrono::milliseconds interval(400);
        PressGuard::setInterval(interval);
        listPage()->list()->selectRow(rowOf(kCameraMacText));
        Settle();
        // The events of a double-click: the first click goes to the page shown, the second
        // press, its double-click event and its release to the page that replaced it. They go
        // through the window, as the desktop's do: that is where a press moves the focus.
        auto doubleClickNext = [this] {
            Click(page(), CWizardPage::kNext);
            Settle();
            QWidget* next = page()->FindControl(CWizardPage::kNext);
            QWindow* window = next->window()->windowHandle();
            const QPoint at = next->mapTo(next->window(), QPoint(4, 4));
            QTest::mousePress(window, Qt::LeftButton, {}, at);
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at);
            Settle();
        };

        doubleClickNext();
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(RequestCount(simulator(), 0xA3), 0); // no sign-in with empty fields
        // Nor did the ignored press take the focus: what the person types next goes to the ID.
        QCOMPARE(QApplication::focusWidget(), page()->FindControl(Login::kAdminId));

        Type(page(), Login::kAdminId, QStringLiteral("admin"));
        Type(page(), Login::kAdminPassword, QStringLiteral("admin"));
        QTest::qWait(static_cast<int>(interval.count()));
        next(PageId::NetWork);
        QTest::qWait(static_cast<int>(interval.count()));
        takeDhcp();

        doubleClickNext();
        QCOMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        QCOMPARE(RequestCount(simulator(), 0xA2), 0); // nothing applied unseen

        // Once the page has been there a moment, Apply works.
        QTest::qWait(static_cast<int>(interval.count()));
        next(PageId::ListCam);
        QCOMPARE(RequestCount(simulator(), 0xA2), 1);
    }

    void loginWithoutAnswerShowsMessage2000()
    {
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21"});
        startWizard();
        waitForSearch();
        choose(kCameraMacText);
        next(PageId::IdPwd);
        // A camera that has gone away: nobody answers to this MAC.
        m_wizard->state().camera.macText = u"02.00.5e.00.00.99";
        Type(page(), Login::kAdminId, QStringLiteral("admin"));
        Type(page(), Login::kAdminPassword, QStringLiteral("admin"));
        Click(page(), Login::kNext);
        QTRY_COMPARE_WITH_TIMEOUT(ShownTexts(), QStringList{SkinMessage(2000)}, 5000);
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

    void standardPathAdHocWepWithAPasswordChange()
    {
        buildLab({kWirelessCamera + kWpsOpcodes + ",wlanenable=1,essid=Old,channel=6"});
        startWizard();
        signInAndTakeDhcp(QStringLiteral("N3w-pass"));
        next(PageId::WirelessSelect);
        QVERIFY(!qobject_cast<QAbstractButton*>(page()->FindControl(CDlgWirelessSelect::kWps))->isChecked());
        shoot(QStringLiteral("wireless-choice"));
        next(PageId::Wireless);
        using W = CDlgWireless;
        QCOMPARE(Text(page(), W::kSsid), QStringLiteral("Old"));
        // Infrastructure picks its own channel.
        QVERIFY(!page()->FindControl(W::kChannel)->isEnabled());
        Type(page(), W::kSsid, QStringLiteral("Garden"));
        Click(page(), W::kAdHoc);
        Settle();
        // No WPA in ad hoc.
        QCOMPARE(Entries(page(), W::kSecurity), (QStringList{"None", "WEP"}));
        QVERIFY(page()->FindControl(W::kChannel)->isEnabled());
        Choose(page(), W::kChannel, 11);
        Choose(page(), W::kSecurity, 1);
        Click(page(), W::kShared);
        Settle();
        shoot(QStringLiteral("wireless"));
        next(PageId::WirelessKey);

        using K = CDlgWirelessKey;
        QVERIFY(!page()->FindControl(K::kPassphrase)->isEnabled());
        Choose(page(), K::kKeyLength, 1);
        Choose(page(), K::kKeyFormat, 1);
        Choose(page(), K::kDefaultKey, 2);
        QCOMPARE(page()->focusWidget(), page()->FindControl(K::kKey3));
        const QString key = QStringLiteral("0123456789abcdefABCDEF0123");
        // One wrong letter: the key stays and the focus goes back to it.
        Type(page(), K::kKey3, QStringLiteral("0123456789abcdefABCDEF012G"));
        next(PageId::WirelessKey);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(31)});
        QCOMPARE(page()->focusWidget(), page()->FindControl(K::kKey3));
        QCOMPARE(m_wizard->state().wireless.wepKeyLength, 0);
        MessageBox::clearShown();
        Type(page(), K::kKey3, key);
        shoot(QStringLiteral("wireless-key"));
        next(PageId::WirelessFinish);

        // Back and forth keeps what was chosen.
        back(PageId::WirelessKey);
        QCOMPARE(Text(page(), K::kKey3), key);
        next(PageId::WirelessFinish);
        using F = CDlgWirelessFinish;
        const QStringList summary = {Text(page(), F::kAdminPassword), Text(page(), F::kIp),
                                     Text(page(), F::kWireless),      Text(page(), F::kSsid),
                                     Text(page(), F::kChannel),       Text(page(), F::kKey3)};
        QCOMPARE(summary, (QStringList{"N3w-pass", "", "Enable", "Garden", "11", key}));
        shoot(QStringLiteral("wireless-summary"));
        next(PageId::ListCam);
        QVERIFY(MessageBox::shown().isEmpty());

        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"essid", "Garden"},
                      {"enable", "1"},
                      {"channel", "11"},
                      {"encryptionModeBits", "00010001"}, // WEP, ad hoc
                      {"keyLenAuthBits", "00010001"},     // 128 bits, Shared
                      {"keyFormatBits", "00100001"},      // key 3, hex
                      {"dhcp", "1"},
                      {"passwordCipher", CipherHex("N3w-pass")}});
        QCOMPARE(WepKeys(state), (QStringList{"0000000000", "0000000000", key, "0000000000"}));
        QCOMPARE(RequestCount(state, 0xA4), 1);
        QCOMPARE(RequestCount(state, 0xA2), 1);
        QCOMPARE(RequestCount(state, 0xA9), 1);
        QCOMPARE(RequestCount(state, 0xAA), 0);
    }

    void standardPathWpaWithAPassphraseOnARestartingModel()
    {
        buildLab({kWirelessCamera + kWpsOpcodes +
                  ",model=QC-K3W Bullet,wlanenable=1,essid=Home,authbits=00100001"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessSelect);
        next(PageId::Wireless);
        using W = CDlgWireless;
        QCOMPARE(Entries(page(), W::kSecurity), (QStringList{"None", "WEP", "WPA/WPA2"}));
        Choose(page(), W::kSecurity, 2);
        for (int id : std::initializer_list<int>{W::kOpen, W::kShared, W::kBoth}) {
            QVERIFY(!page()->FindControl(id)->isEnabled());
            QVERIFY(!qobject_cast<QAbstractButton*>(page()->FindControl(id))->isChecked());
        }
        next(PageId::WirelessKey);
        using K = CDlgWirelessKey;
        QVERIFY(page()->FindControl(K::kPassphrase)->isEnabled());
        QVERIFY(!page()->FindControl(K::kKey1)->isEnabled());
        Type(page(), K::kPassphrase, QStringLiteral("short"));
        next(PageId::WirelessKey);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(33)});
        QCOMPARE(page()->focusWidget(), page()->FindControl(K::kPassphrase));
        QVERIFY(m_wizard->state().wireless.passphrase != u"short");
        MessageBox::clearShown();
        Type(page(), K::kPassphrase, QStringLiteral("correct horse battery"));
        next(PageId::WirelessFinish);
        QCOMPARE(Text(page(), CDlgWirelessFinish::kPassphrase), QStringLiteral("correct horse battery"));
        next(PageId::ListCam);

        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"wepKey", "correct horse battery"},
                      {"encryptionModeBits", "01000000"}, // WPA, infrastructure
                      {"keyLenAuthBits", "00100101"},     // length kept, WPA/WPA2
                      {"essid", "Home"}});
        QCOMPARE(RequestCount(state, 0xA4), 0);
        QCOMPARE(RequestCount(state, 0xA9), 1);
        QCOMPARE(RequestCount(state, 0xAA), 1); // this model restarts to take the settings
    }

    void onePageRemembersEachModeAndAppliesWpa2Aes()
    {
        buildLab(
            {kWirelessCamera + ",wlanenable=1,essid=Yard,channelrange=00000000000000000000000000111111"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessNew);
        using N = CDlgWirelessNew;
        QCOMPARE(Entries(page(), N::kChannel), QStringList{"Auto"});
        Choose(page(), N::kAuthentication, 4);
        QCOMPARE(Entries(page(), N::kEncryption), (QStringList{"TKIP", "AES", "TKIP&AES"}));
        Choose(page(), N::kEncryption, 3);
        Type(page(), N::kKey, QStringLiteral("a long passphrase"));
        Settle();

        Click(page(), N::kAdHoc);
        Settle();
        QCOMPARE(Entries(page(), N::kChannel), (QStringList{"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(Entries(page(), N::kAuthentication), (QStringList{"Open", "Shared"}));
        QCOMPARE(Entries(page(), N::kEncryption), (QStringList{"Disabled", "WEP"}));
        QVERIFY(!page()->FindControl(N::kKey)->isEnabled());
        Choose(page(), N::kEncryption, 1);
        QCOMPARE(qobject_cast<QLineEdit*>(page()->FindControl(N::kKey))->maxLength(), 26);
        shoot(QStringLiteral("wireless-one-page-adhoc"));

        Click(page(), N::kInfrastructure);
        Settle();
        QCOMPARE(
            page()->findChild<QComboBox*>(QStringLiteral("DlgWirelessNEW.Authentication"))->currentText(),
            QStringLiteral("WPA2-PSK"));
        QCOMPARE(page()->findChild<QComboBox*>(QStringLiteral("DlgWirelessNEW.Encryption"))->currentText(),
                 QStringLiteral("AES"));
        QCOMPARE(qobject_cast<QLineEdit*>(page()->FindControl(N::kKey))->maxLength(), 64);
        QCOMPARE(Text(page(), N::kKey), QStringLiteral("a long passphrase"));
        Type(page(), N::kSsid, QStringLiteral("Yard 2"));
        shoot(QStringLiteral("wireless-one-page"));
        next(PageId::WirelessFinishNew);
        using F = CDlgWirelessFinishNew;
        const QStringList summary = {
            Text(page(), F::kIp),      Text(page(), F::kWireless),       Text(page(), F::kSsid),
            Text(page(), F::kChannel), Text(page(), F::kAuthentication), Text(page(), F::kEncryption),
            Text(page(), F::kKey)};
        QCOMPARE(summary,
                 (QStringList{"Auto", "Enable", "Yard 2", "Auto", "WPA2", "AES", "a long passphrase"}));
        shoot(QStringLiteral("wireless-one-page-summary"));
        next(PageId::ListCam);

        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"essid", "Yard 2"},
                      {"wepKey", "a long passphrase"},
                      {"encryptionModeBits", "00110000"}, // AES, infrastructure
                      {"keyLenAuthBits", "00000100"},     // WPA2-PSK
                      {"channel", "6"}});                 // infrastructure keeps the channel
    }

    // A key refused on the one-page set-up, then another security chosen: the camera keeps the
    // key it had, and gets the passphrase.
    void aRefusedKeyLeavesTheCamerasKeysAsTheyWere()
    {
        buildLab({kWirelessCamera + ",name=Gate,wlanenable=1,essid=Site office,wepkey1=abcde,"
                                    "encbits=00010000,authbits=00000000,keybits=00000000"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessNew);
        using N = CDlgWirelessNew;
        QCOMPARE(Text(page(), N::kKey), QStringLiteral("abcde"));
        Type(page(), N::kKey, QStringLiteral("abcd"));
        next(PageId::WirelessNew);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(32)});
        MessageBox::clearShown();
        Choose(page(), N::kAuthentication, 4);
        Choose(page(), N::kEncryption, 3);
        Type(page(), N::kKey, QStringLiteral("a long passphrase"));
        next(PageId::WirelessFinishNew);
        next(PageId::ListCam);
        QVERIFY(MessageBox::shown().isEmpty());

        const std::string state = simulator();
        QCOMPARE(WepKeys(state), (QStringList{"abcde", "0000000000", "0000000000", "0000000000"}));
        ExpectCamera(state, kCameraMac,
                     {{"encryptionModeBits", "00110000"}, // AES, infrastructure
                      {"wepKey", "a long passphrase"}});
    }

    void wirelessSwitchedOffSendsOffAndKeepsTheRest()
    {
        buildLab({kWirelessCamera + kWpsOpcodes +
                  ",wlanenable=1,essid=Keep,channel=3,wepkey2=abcde,wepkey=keep this phrase,encbits=00010000,"
                  "authbits=00000001,keybits=00010000"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessSelect);
        next(PageId::Wireless);
        using W = CDlgWireless;
        Click(page(), W::kOff);
        Settle();
        for (int id : std::initializer_list<int>{W::kSsid, W::kChannel, W::kSecurity, W::kInfrastructure,
                                                 W::kAdHoc, W::kOpen})
            QVERIFY(!page()->FindControl(id)->isEnabled());
        next(PageId::WirelessKey);
        for (int id : std::initializer_list<int>{CDlgWirelessKey::kKeyLength, CDlgWirelessKey::kKey1,
                                                 CDlgWirelessKey::kPassphrase})
            QVERIFY(!page()->FindControl(id)->isEnabled());
        // Off, the keys are neither checked nor kept.
        Type(page(), CDlgWirelessKey::kKey2, QStringLiteral("x"));
        next(PageId::WirelessFinish);
        QCOMPARE(Text(page(), CDlgWirelessFinish::kWireless), QStringLiteral("Disable"));
        next(PageId::ListCam);

        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"enable", "0"},
                      {"essid", "Keep"},
                      {"channel", "3"},
                      {"wepKey", "keep this phrase"},
                      {"encryptionModeBits", "00010000"},
                      {"keyLenAuthBits", "00000001"},
                      {"keyFormatBits", "00010000"}});
        QCOMPARE(WepKeys(state), (QStringList{"0000000000", "abcde", "0000000000", "0000000000"}));
    }

    void aCameraWithoutCapabilitiesGetsTheBuiltInListsAndBackLeadsHome()
    {
        buildLab(
            {kWirelessCamera + kWpsOpcodes +
             ",wlanenable=1,enccaps=00000000,authcaps=00000000,keylencaps=00000000,keyformatcaps=00000000,"
             "defkeycaps=00000000,channelrange=00000000000000000000000000000000"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::WirelessSelect);
        next(PageId::Wireless);
        QStringList channels;
        for (int n = 1; n <= 14; ++n)
            channels.append(QString::number(n));
        QCOMPARE(Entries(page(), CDlgWireless::kChannel), channels);
        QCOMPARE(Entries(page(), CDlgWireless::kSecurity), (QStringList{"None", "WEP", "WPA/WPA2"}));
        Choose(page(), CDlgWireless::kSecurity, 1);
        next(PageId::WirelessKey);
        QCOMPARE(Entries(page(), CDlgWirelessKey::kKeyLength), (QStringList{"64bits", "128bits"}));
        QCOMPARE(Entries(page(), CDlgWirelessKey::kKeyFormat), (QStringList{"ASCII", "Hex"}));
        QCOMPARE(Entries(page(), CDlgWirelessKey::kDefaultKey),
                 (QStringList{"WEP Key1", "WEP Key2", "WEP Key3", "WEP Key4"}));

        back(PageId::Wireless);
        back(PageId::WirelessSelect);
        back(PageId::NetWork);
        // The skin may ask for the one-page set-up only.
        m_wizard->state().onlyWirelessNew = 1;
        next(PageId::WirelessSelect);
        next(PageId::WirelessNew);
        QCOMPARE(Entries(page(), CDlgWirelessNew::kAuthentication),
                 (QStringList{"Open", "Shared", "WPA-PSK", "WPA2-PSK"}));
        Click(page(), CDlgWirelessNew::kAdHoc);
        Settle();
        QCOMPARE(Entries(page(), CDlgWirelessNew::kChannel), channels);
        Choose(page(), CDlgWirelessNew::kChannel, 13);
        Choose(page(), CDlgWirelessNew::kEncryption, 1);
        // A WEP key of 11 characters fits no key size.
        Type(page(), CDlgWirelessNew::kKey, QStringLiteral("abcdefghijk"));
        Type(page(), CDlgWirelessNew::kSsid, QStringLiteral("Ad hoc"));
        next(PageId::WirelessNew);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(32)});
        QCOMPARE(page()->focusWidget(), page()->FindControl(CDlgWirelessNew::kKey));
        QVERIFY(m_wizard->state().wireless.ssid != u"Ad hoc");
        MessageBox::clearShown();
        Type(page(), CDlgWirelessNew::kKey, QStringLiteral("abcdefghijklm"));
        next(PageId::WirelessFinishNew);
        QCOMPARE(Text(page(), CDlgWirelessFinishNew::kChannel), QStringLiteral("13"));
        back(PageId::WirelessNew);
        back(PageId::WirelessSelect);
        next(PageId::WirelessNew);
        next(PageId::WirelessFinishNew);
        next(PageId::ListCam);
        const std::string state = simulator();
        ExpectCamera(state, kCameraMac,
                     {{"keyLenAuthBits", "00010000"}, // 128 bits, Open
                      {"channel", "13"},
                      {"essid", "Ad hoc"}});
        QCOMPARE(WepKeys(state).first(), QStringLiteral("abcdefghijklm"));
    }

    // Leaving while the camera makes the apply wait two minutes: asked first; on Yes the wizard
    // ends within a second and never reports the settings as applied; on No it keeps waiting.
    void leavingDuringAnApplyAsksFirst_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::addColumn<int>("answer");
        QTest::newRow("Exit, yes") << false << int(MessageBox::IdYes);
        QTest::newRow("window closed, yes") << true << int(MessageBox::IdYes);
        QTest::newRow("Exit, no") << false << int(MessageBox::IdNo);
    }

    void leavingDuringAnApplyAsksFirst()
    {
        QFETCH(bool, byClosing);
        QFETCH(int, answer);
        buildLab({"mac=" + kCameraMac + ",model=QC-210 Dome,ip=198.18.0.21"},
                 {"--write-action", "2", "--write-wait", "120000"});
        startWizard();
        signInAndTakeDhcp();
        next(PageId::NetWorkFinish);
        Click(page(), Summary::kNext);
        QTRY_COMPARE_WITH_TIMEOUT(RequestCount(simulator(), 0xA2), 1, 5000);
        QTest::qWait(200);
        QVERIFY(m_wizard->runner().isRunning());

        MessageBox::setNextAnswer(answer);
        QElapsedTimer clock;
        clock.start();
        if (byClosing)
            page()->close();
        else
            Click(page(), Summary::kExit);
        QTRY_COMPARE(ShownTexts(), QStringList{SkinMessage(66)});
        if (answer == MessageBox::IdYes) {
            QTRY_VERIFY_WITH_TIMEOUT(m_wizard->hasEnded(), 1000);
            QVERIFY(clock.elapsed() < 1000);
            QCOMPARE(page(), nullptr);
            // Never back on the camera list, which is where a finished apply goes.
            QCOMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        } else {
            QTest::qWait(300);
            QVERIFY(!m_wizard->hasEnded());
            QVERIFY(m_wizard->runner().isRunning());
            QVERIFY(page()->isBusy());
            // Closing the program mid-wait still ends promptly.
            m_wizard.reset();
            QVERIFY(clock.elapsed() < 1500);
        }
        QVERIFY(!QApplication::overrideCursor());
        // One search, with its repeats.
        QCOMPARE(RequestCount(simulator(), 0xA1), 1 + DeviceTimeouts{}.searchRepeats);
    }
};

QTEST_MAIN(WizardNetTest)
#include "WizardNetTest.moc"
