// SPDX-License-Identifier: Apache-2.0
// The WPS page against simulated cameras in a throw-away network: both ways in, both methods,
// a join that never ends, and leaving while a join runs.

#include "tests/gui/NetTestSupport.h"
#include "tests/gui/WizardTestSupport.h"
#include "tests/net/NetLab.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgWPSSetting.h"
#include "wizard/CDlgWirelessFinish.h"
#include "wizard/CDlgWirelessSelect.h"
#include "wizard/Clipboard.h"

#include <QApplication>
#include <QProgressBar>
#include <QTableWidget>
#include <QtTest>

using namespace WizardTest;
using namespace std::chrono_literals;

namespace {

const std::string kMac = "02:00:5e:00:00:01";
const QString kMacText = QStringLiteral("02.00.5e.00.00.01");
const std::string kWpsOpcodes = ",opcodes=0xA1:0xA2:0xA3:0xA4:0xA5:0xA8:0xA9:0xAA:0xB2";
// Offered WPS on the camera list; its wireless is off, and what else it holds must survive.
const std::string kK7ZCamera = "mac=" + kMac + ",model=QC-K7Z,name=Porch,ip=198.18.0.31,wireless=1" +
                               kWpsOpcodes +
                               ",wlanenable=0,essid=Keep,channel=6,wepkey1=abcde,wepkey=a passphrase";
const std::string kWirelessCamera =
    "mac=" + kMac + ",model=QC-400W,name=Garden,ip=198.18.0.31,wireless=1,wlanenable=1,essid=Old" +
    kWpsOpcodes;

using W = CDlgWPSSetting;

} // namespace

class WpsPageTest : public WizardNetFixture
{
    Q_OBJECT

public:
    WpsPageTest() : WizardNetFixture(QStringLiteral("wps-")) {}

private:
    // The network with one camera that joins "Joined-AP" by WPS, and the wizard on its list with
    // the camera chosen. A tick every 40 ms and a phase of 1.5 s instead of 1 s and 120 s.
    void startWith(const std::string& camera)
    {
        buildLab({camera + ",wpsssid=Joined-AP"});
        startWizard(400ms, 300ms, WpsJoinTiming{40ms, 1500ms, 100ms});
        waitForSearch();
        QCOMPARE(listPage()->list()->rowCount(), 1);
        choose(kMacText);
    }

    CDlgWPSSetting* wpsPage() const { return qobject_cast<CDlgWPSSetting*>(page()); }
    int progress() const { return qobject_cast<QProgressBar*>(page()->FindControl(W::kProgress))->value(); }
    bool shown(int id) const { return page()->FindControl(id)->isVisibleTo(page()); }

    void openFromList()
    {
        QVERIFY(page()->FindControl(CDlgListCam::kWps)->isVisible());
        click(CDlgListCam::kWps, PageId::WpsFromList);
        QVERIFY(shown(W::kAdminId) && shown(W::kAdminPassword));
    }

    void openFromChoice()
    {
        signIn(kMacText);
        next(PageId::WirelessSelect);
        Click(page(), CDlgWirelessSelect::kWps);
        next(PageId::WpsFromChoice);
        QVERIFY(!shown(W::kAdminId) && !shown(W::kAdminPassword) && !shown(W::kAdminIdLabel));
    }

private slots:
    void init()
    {
        if (const QString reason = NetSkipReason(); !reason.isEmpty())
            QSKIP(qPrintable(reason));
        enterTestModes();
        Clipboard::enableTestMode(true);
    }

    void cleanup() { leave(); }

    void fromTheListByPushButtonSwitchesWirelessOnWithoutLosingSettings()
    {
        startWith(kK7ZCamera + ",wpspending=2");
        openFromList();
        QVERIFY(shown(W::kStartPushButton) && !shown(W::kPinEdit) && !shown(W::kStartPin));
        shoot(QStringLiteral("push-button-from-list"));

        // A wrong password is refused before anything is written.
        Type(page(), W::kAdminId, QStringLiteral("admin"));
        Type(page(), W::kAdminPassword, QStringLiteral("wrong"));
        Click(page(), W::kStartPushButton);
        QTRY_COMPARE_WITH_TIMEOUT(ShownTexts(), QStringList{SkinMessage(4)}, 10000);
        QCOMPARE(RequestCount(simulator(), 0xA9), 0);
        QVERIFY(page()->FindControl(W::kStartPushButton)->isEnabled());
        MessageBox::clearShown();

        Type(page(), W::kAdminPassword, QStringLiteral("admin"));
        Click(page(), W::kStartPushButton);
        QTRY_COMPARE_WITH_TIMEOUT(m_wizard->currentPageId(), PageId::ListCam, 10000);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(2003)});
        QCOMPARE(MessageBox::shown().front().flags & 0xF0u, unsigned(MessageBox::IconInformation));

        const std::string state = simulator();
        // Switching wireless on wrote back what the camera held: its channel and keys.
        ExpectCamera(state, {},
                     {{"phase", "joined"},
                      {"mode", "1"},
                      {"agreed", "true"},
                      {"sendsAccepted", "1"},
                      {"essid", "Joined-AP"},
                      {"enable", "1"},
                      {"channel", "6"},
                      {"wepKey", "a passphrase"}});
        QVERIFY(state.find("\"wepKeys\": [\"abcde\"") != std::string::npos);
        QCOMPARE(RequestCount(state, 0xA8), 2); // GetWLan: the refused one and this one
        QCOMPARE(RequestCount(state, 0xA9), 1); // SetWLan
        QCOMPARE(RequestCount(state, 0xAA), 1); // this model takes it after a restart
    }

    void fromTheChoiceByPinThenBackFromTheSummary()
    {
        startWith(kWirelessCamera);
        openFromChoice();
        Click(page(), W::kPinMethod);
        Settle();
        QVERIFY(shown(W::kPinEdit) && shown(W::kStartPin) && !shown(W::kStartPushButton));
        const QString pin = Text(page(), W::kPinEdit);
        QCOMPARE(pin, wpsPage()->pin());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{8}$")).match(pin).hasMatch());
        Click(page(), W::kCopyPin);
        Settle();
        QCOMPARE(Clipboard::text(), pin);
        shoot(QStringLiteral("pin-from-choice"));

        Click(page(), W::kStartPin);
        QTRY_COMPARE_WITH_TIMEOUT(m_wizard->currentPageId(), PageId::WirelessFinish, 10000);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(2003)});
        std::string state = simulator();
        ExpectCamera(state, {}, {{"mode", "2"}, {"pin", pin.toStdString()}});
        // The summary shows what GetWLan read after the join.
        QCOMPARE(Text(page(), CDlgWirelessFinish::kSsid), QStringLiteral("Joined-AP"));
        QCOMPARE(m_wizard->carriedWpsValue(), 1);

        // Back returns to the page with its result: Next goes on without a second join.
        click(CDlgWirelessFinish::kBack, PageId::WpsFromChoice);
        QCOMPARE(wpsPage()->carriedWpsValue(), 1);
        QCOMPARE(progress(), WpsJoin::kProgressSteps);
        click(W::kNext, PageId::WirelessFinish);
        click(CDlgWirelessFinish::kNext, PageId::ListCam);
        state = simulator();
        QCOMPARE(RequestCount(state, 0xB3), 1); // InitWPS
        QCOMPARE(RequestCount(state, 0xA9), 1); // the summary's apply
        ExpectCamera(state, {}, {{"essid", "Joined-AP"}});
    }

    void aJoinThatDoesNotFinishEndsWith2002ThenRetryOrCancel_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::newRow("never finishes") << QStringLiteral("wpsstall=status");
        QTest::newRow("refused") << QStringLiteral("wpsrefuse=send");
    }

    void aJoinThatDoesNotFinishEndsWith2002ThenRetryOrCancel()
    {
        QFETCH(QString, scenario);
        startWith(kK7ZCamera + "," + scenario.toStdString());
        openFromList();
        Type(page(), W::kAdminId, QStringLiteral("admin"));
        Type(page(), W::kAdminPassword, QStringLiteral("admin"));
        // Next on a fresh page starts a join.
        Click(page(), W::kNext);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::WpsFromList);
        shoot(QStringLiteral("running-") + QTest::currentDataTag());
        QTRY_VERIFY_WITH_TIMEOUT(!wpsPage()->isJoining(), 10000);
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(2002)});
        QCOMPARE(MessageBox::shown().front().flags & 0xF0u, unsigned(MessageBox::IconWarning));
        QCOMPARE(progress(), WpsJoin::kProgressSteps);
        QCOMPARE(wpsPage()->carriedWpsValue(), 0);
        QTRY_VERIFY(page()->FindControl(W::kStartPushButton)->isEnabled());
        shoot(QStringLiteral("failed-") + QTest::currentDataTag());

        // Retry starts again; Cancel moves on.
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::IdRetry);
        Click(page(), W::kNext);
        Settle();
        QVERIFY(wpsPage()->isJoining());
        QTRY_VERIFY_WITH_TIMEOUT(!wpsPage()->isJoining(), 10000);
        QCOMPARE(ShownTexts(), (QStringList{SkinMessage(2004), SkinMessage(2002)}));
        QCOMPARE(RequestCount(simulator(), 0xB3), 2);
        MessageBox::setNextAnswer(MessageBox::IdCancel);
        click(W::kNext, PageId::ListCam);
        QCOMPARE(CameraValue(simulator(), "phase") == "joined", false);
    }

    void backDuringAJoinAsksAndNoKeepsItRunning()
    {
        startWith(kK7ZCamera + ",wlanenable=1,wpspending=10");
        openFromList();
        Type(page(), W::kAdminId, QStringLiteral("admin"));
        Type(page(), W::kAdminPassword, QStringLiteral("admin"));
        Click(page(), W::kStartPushButton);
        QTRY_VERIFY_WITH_TIMEOUT(wpsPage()->isJoining() && !wpsPage()->isBusy(), 10000);
        MessageBox::setNextAnswer(MessageBox::IdNo);
        Click(page(), W::kBack);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::WpsFromList);
        QVERIFY(wpsPage()->isJoining());
        QTRY_COMPARE_WITH_TIMEOUT(m_wizard->currentPageId(), PageId::ListCam, 10000);
        QCOMPARE(ShownTexts(), (QStringList{SkinMessage(2005), SkinMessage(2003)}));
        const std::string state = simulator();
        ExpectCamera(state, {}, {{"phase", "joined"}});
        QCOMPARE(RequestCount(state, 0xA9), 0); // wireless was on: nothing written
    }

    void yesToTheQuestionLeavesAndTheCameraHearsNoMore()
    {
        startWith(kK7ZCamera + ",wlanenable=1,wpsstall=inf");
        openFromList();
        Type(page(), W::kAdminId, QStringLiteral("admin"));
        Type(page(), W::kAdminPassword, QStringLiteral("admin"));
        Click(page(), W::kStartPushButton);
        QTRY_VERIFY_WITH_TIMEOUT(wpsPage()->isJoining() && !wpsPage()->isBusy(), 10000);
        MessageBox::setNextAnswer(MessageBox::IdYes);
        click(W::kBack, PageId::ListCam);
        const int polls = RequestCount(simulator(), 0xB4);
        QTest::qWait(300);
        QCOMPARE(RequestCount(simulator(), 0xB4), polls);
    }
};

QTEST_MAIN(WpsPageTest)
#include "WpsPageTest.moc"
