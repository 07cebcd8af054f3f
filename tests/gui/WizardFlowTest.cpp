// SPDX-License-Identifier: Apache-2.0
// The main window's page flow and the pages' own checks, driven through real pages. The
// wizard sees no adapters here, so its searches end at once with nothing found.

#include "skin/CPicButton.h"
#include "skin/CPicText.h"
#include "skin/FocusOutline.h"
#include "skin/WizardCommand.h"
#include "tests/gui/WizardTestSupport.h"
#include "tests/unit/PageFlowCases.h"
#include "wizard/CDlgAbout.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"
#include "wizard/CDlgWireless.h"
#include "wizard/CDlgWirelessKey.h"
#include "wizard/CDlgWirelessNew.h"
#include "wizard/PageRegistry.h"
#include "wizard/ShellOpen.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <memory>

using namespace WizardTest;

Q_DECLARE_METATYPE(PageId)

namespace {

// The command a page sends for a step of the flow table.
int CommandOf(FlowStep step)
{
    switch (step) {
    case FlowStep::Next:
        return WIZ_NEXT;
    case FlowStep::Back:
        return WIZ_BACK;
    case FlowStep::About:
        return WIZ_ABOUT;
    case FlowStep::Wps:
        return WIZ_WPS;
    case FlowStep::Nothing:
        return WIZ_NOP;
    case FlowStep::UnknownCommand:
        break;
    }
    return 4242;
}

// Controls by the names their pages publish.
using Login = CDlgIdPwd;
using Net = CDlgNetWork;

enum class SkinProblem
{
    Missing,
    FolderInItsPlace,
    OverTheSizeLimit,
};

} // namespace

Q_DECLARE_METATYPE(SkinProblem)

class WizardFlowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CQuillaneDlg> m_wizard;

    // Starts the wizard on its camera list, then goes straight to page `start`.
    void startOn(PageId start, const FlowCamera& camera = {})
    {
        m_wizard = OfflineWizard();
        m_wizard->OnInitDialog();
        QTRY_VERIFY(!static_cast<CDlgListCam*>(m_wizard->currentPage())->isSearching());
        camera.applyTo(m_wizard->state());
        if (start != PageId::ListCam)
            QVERIFY(m_wizard->GoTo(PageTransition{start}));
        QCOMPARE(m_wizard->currentPageId(), start);
    }

    CWizardPage* page() const { return m_wizard->currentPage(); }

    void command(int value)
    {
        PostWizardCommand(m_wizard.get(), value);
        Settle();
    }

private slots:
    void init()
    {
        const QString problem = IsolationProblem();
        if (!problem.isEmpty())
            QSKIP(qPrintable(problem));
        MessageBox::enableTestMode(true);
        MessageBox::clearShown();
        // Clicks follow each other at test speed; the double-click guard has tests of its own.
        PressGuard::setInterval(std::chrono::milliseconds(0));
    }

    void cleanup()
    {
        m_wizard.reset();
        MessageBox::enableTestMode(false);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void flowFollowsTheTables_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < PageFlowCases().size(); ++i)
            QTest::newRow(PageFlowCases()[i].what) << static_cast<int>(i);
    }

    void flowFollowsTheTables()
    {
        QFETCH(int, index);
        const FlowCase& c = PageFlowCases()[static_cast<size_t>(index)];
        startOn(c.from, c.camera);
        const CWizardPage* before = page();
        command(CommandOf(c.step));
        QCOMPARE(m_wizard->currentPageId(), c.to.value_or(c.from));
        QVERIFY(page() != nullptr);
        QCOMPARE(page() != before, c.to.has_value());
        QVERIFY(!m_wizard->hasEnded());
    }

    void everyPageIsRegisteredOnceAndGetsWhatItNeeds()
    {
        using P = PageId;
        using R = PageReceives;
        const struct
        {
            PageId id;
            PageReceives receives;
            WpsPageMode wps;
            const char* section; // nullptr: not built yet
        } pages[] = {
            {P::ListCam, R::BothManagersAndState, WpsPageMode::NotWps, "DlgListCam"},
            {P::IdPwd, R::PrimaryAndState, WpsPageMode::NotWps, "DlgIdPwd"},
            {P::NetWork, R::PrimaryAndState, WpsPageMode::NotWps, "DlgNetWork"},
            {P::Wireless, R::State, WpsPageMode::NotWps, "DlgWireless"},
            {P::NetWorkFinish, R::BothManagersAndState, WpsPageMode::NotWps, "DlgNetWorkFinish"},
            {P::WirelessKey, R::State, WpsPageMode::NotWps, "DlgWirelessKey"},
            {P::WirelessFinish, R::BothManagersAndState, WpsPageMode::NotWps, "DlgWirelessFinish"},
            {P::About, R::Nothing, WpsPageMode::NotWps, "DlgAbout"},
            {P::WpsFromList, R::BothManagersAndState, WpsPageMode::FromList, "DlgWPSSET"},
            {P::WpsFromChoice, R::BothManagersAndState, WpsPageMode::FromChoice, "DlgWPSSET"},
            {P::WirelessSelect, R::State, WpsPageMode::NotWps, "DlgWirelessSele"},
            {P::WirelessNew, R::State, WpsPageMode::NotWps, "DlgWirelessNEW"},
            {P::WirelessFinishNew, R::BothManagersAndState, WpsPageMode::NotWps, "DlgWirelessFinishNEW"},
        };
        QCOMPARE(PageRegistrations().size(), std::size(pages));
        for (const auto& expected : pages) {
            const QByteArray what = QByteArray::number(static_cast<int>(expected.id));
            const PageRegistration* row = FindPageRegistration(expected.id);
            QVERIFY2(row && row->id == expected.id, what);
            QCOMPARE(int(row->receives), int(expected.receives));
            QCOMPARE(int(row->wpsMode), int(expected.wps));
            QCOMPARE(row->make != nullptr, expected.section != nullptr);

            startOn(PageId::ListCam);
            CWizardPage* before = page();
            QCOMPARE(m_wizard->GoTo(PageTransition{expected.id}), expected.section != nullptr);
            if (!expected.section) {
                QCOMPARE(page(), before);
                continue;
            }
            QCOMPARE(page()->pageSection(), QString::fromLatin1(expected.section));
            const PageLinks& links = page()->links();
            QCOMPARE(links.state != nullptr, expected.receives != R::Nothing);
            QCOMPARE(links.pageFont != nullptr, expected.receives != R::Nothing);
            QCOMPARE(links.primary != nullptr,
                     expected.receives == R::PrimaryAndState || expected.receives == R::BothManagersAndState);
            QCOMPARE(links.secondary != nullptr, expected.receives == R::BothManagersAndState);
        }
        QVERIFY(!FindPageRegistration(static_cast<PageId>(5)));
    }

    void nextFromTheListWithAK7ZModelGoesTheWpsWay()
    {
        startOn(PageId::ListCam, FlowCamera{u"QC-K7Z", 0, {}, 1});
        command(WIZ_NEXT);
        QCOMPARE(m_wizard->state().wpsChosen, 1);
        QCOMPARE(m_wizard->carriedWpsValue(), -1);
    }

    void exitEndsTheWizardAndLaterCommandsAreIgnored()
    {
        startOn(PageId::NetWork);
        QSignalSpy ended(m_wizard.get(), &CQuillaneDlg::ended);
        command(WIZ_EXIT);
        QCOMPARE(page(), nullptr);
        QVERIFY(m_wizard->hasEnded());
        QCOMPARE(ended.size(), 1);
        command(WIZ_BACK);
        QCOMPARE(page(), nullptr);
    }

    void closingAPageIsExit()
    {
        startOn(PageId::IdPwd);
        page()->close();
        Settle();
        QVERIFY(m_wizard->hasEnded());
    }

    void enterAndEscapeDoNothing()
    {
        for (const PageRegistration& registration : PageRegistrations()) {
            if (!registration.make)
                continue;
            const PageId id = registration.id;
            startOn(id);
            CWizardPage* before = page();
            before->show();
            QWidget* target = before->focusWidget() ? before->focusWidget() : before;
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
            Settle();
            QCOMPARE(page(), before);
            QVERIFY(before->isVisible());
            QVERIFY(!m_wizard->hasEnded());
            QVERIFY(MessageBox::shown().isEmpty());
        }
    }

    void returningToTheListClearsTheCollectedSettings()
    {
        startOn(PageId::NetWorkFinish);
        WizardState& state = m_wizard->state();
        state.adminId = u"admin";
        state.adminPassword = u"secret";
        state.newPassword = u"next";
        state.confirmPassword = u"next";
        state.camera.ip = u"198.18.0.50";
        state.camera.macText = u"02.00.00.00.00.01";
        state.camera.hasWireless = 1;
        state.supportedOpcodes[3] = 0xA8;
        state.wireless.ssid = u"home";
        state.changePassword = 1;
        state.camera.dhcp = 0;
        state.wpsShow = 0;
        command(WIZ_NEXT);
        QCOMPARE(m_wizard->currentPageId(), PageId::ListCam);
        QVERIFY(state.adminId.empty() && state.adminPassword.empty() && state.newPassword.empty());
        QVERIFY(state.confirmPassword.empty() && state.camera.ip.empty() && state.camera.macText.empty());
        QVERIFY(state.wireless.ssid.empty());
        QCOMPARE(state.camera.hasWireless, 0);
        QVERIFY(!state.SupportsOpcode(0xA8));
        // Kept for the next camera.
        QCOMPARE(state.changePassword, 1);
        QCOMPARE(state.camera.dhcp, 0);
        // Read again from the skin, which turns WPS on.
        QCOMPARE(state.wpsShow, 1);
        QVERIFY(m_wizard->pageFont().has_value());
        QCOMPARE(m_wizard->pageFont()->pixelSize(), 14);
    }

    void networkChecksStopAtTheFirstBadField_data()
    {
        QTest::addColumn<QStringList>("fields"); // IP, mask, gateway, DNS 1, DNS 2
        QTest::addColumn<int>("message");        // 0: accepted
        QTest::addColumn<int>("focus");
        QTest::addColumn<QStringList>("stored");

        const QStringList none;
        auto row = [](const char* name, QStringList fields, int message, int focus, QStringList stored = {}) {
            QTest::newRow(name) << fields << message << focus << stored;
        };
        row("leading zeros dropped", {"192.168.000.010", "255.255.255.0", "", "", ""}, 0, 0,
            {"192.168.0.10", "255.255.255.0", "", "", ""});
        row("all fields, spaces removed", {" 10.1.2.3 ", "255.0.0.0", "10.0.0.1", "10.0.0.2", "8.8.8.8"}, 0,
            0, {"10.1.2.3", "255.0.0.0", "10.0.0.1", "10.0.0.2", "8.8.8.8"});
        row("empty pieces skipped", {"1..2.3.4", "255.255.255.0", "", "", ""}, 0, 0,
            {"1.2.3.4", "255.255.255.0", "", "", ""});
        // A camera reports an unset gateway or DNS server as 0.0.0.0; refilled, it passes.
        row("unset gateway and DNS", {"198.18.0.5", "255.255.255.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"}, 0, 0,
            {"198.18.0.5", "255.255.255.0", "0.0.0.0", "0.0.0.0", "0.0.0.0"});
        row("gateway 0.0.0.1", {"198.18.0.5", "255.255.255.0", "0.0.0.1", "", ""}, 56, Net::kGateway);
        row("masks 0.0.0.0 and all ones pass", {"198.18.0.5", "0.0.0.0", "", "", ""}, 0, 0,
            {"198.18.0.5", "0.0.0.0", "", "", ""});
        row("mask all ones", {"198.18.0.5", "255.255.255.255", "", "", ""}, 0, 0,
            {"198.18.0.5", "255.255.255.255", "", "", ""});
        row("empty address", {"", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("multicast address", {"224.1.1.1", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("address starting 0", {"0.1.2.3", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("three numbers", {"1.2.3", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("five numbers", {"1.2.3.4.5", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("number over 255", {"10.0.0.256", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("letters", {"10.0.0.a", "255.255.255.0", "", "", ""}, 54, Net::kIp);
        row("mask with a hole", {"10.0.0.1", "255.0.255.0", "", "", ""}, 55, Net::kMask);
        row("mask ...254", {"10.0.0.1", "255.255.255.254", "", "", ""}, 55, Net::kMask);
        row("gateway is the network", {"10.0.0.5", "255.255.255.0", "10.0.0.0", "", ""}, 56, Net::kGateway);
        row("gateway is the broadcast", {"10.0.0.5", "255.255.255.0", "10.0.0.255", "", ""}, 56,
            Net::kGateway);
        row("gateway outside", {"10.0.0.5", "255.255.255.0", "10.0.1.1", "", ""}, 56, Net::kGateway);
        row("gateway malformed", {"10.0.0.5", "255.255.255.0", "10.0.0", "", ""}, 56, Net::kGateway);
        row("bad first DNS", {"10.0.0.5", "255.255.255.0", "", "300.1.1.1", ""}, 57, Net::kDns1);
        row("bad second DNS", {"10.0.0.5", "255.255.255.0", "", "", "8.8.8"}, 58, Net::kDns2);
        row("first failure wins", {"10.0.0.5", "255.0.255.0", "1.1.1.1", "x", "y"}, 55, Net::kMask);
    }

    void networkChecksStopAtTheFirstBadField()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, message);
        QFETCH(int, focus);
        QFETCH(QStringList, stored);
        startOn(PageId::NetWork);
        WizardState& state = m_wizard->state();
        state.camera.ip = u"198.18.0.9";
        Click(page(), Net::kDhcpOff);
        Settle();
        const int ids[] = {Net::kIp, Net::kMask, Net::kGateway, Net::kDns1, Net::kDns2};
        for (int i = 0; i < 5; ++i)
            Type(page(), ids[i], fields[i]);
        Click(page(), Net::kNext);
        Settle();
        if (message != 0) {
            QCOMPARE(m_wizard->currentPageId(), PageId::NetWork);
            QCOMPARE(ShownTexts(), QStringList{SkinMessage(message)});
            QCOMPARE(page()->focusWidget(), page()->FindControl(focus));
            // Nothing reaches the state, and what was typed stays.
            QCOMPARE(QString::fromStdU16String(state.camera.ip), QStringLiteral("198.18.0.9"));
            QCOMPARE(Text(page(), Net::kIp), fields[0]);
            return;
        }
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        const QStringList got = {
            QString::fromStdU16String(state.camera.ip), QString::fromStdU16String(state.camera.mask),
            QString::fromStdU16String(state.camera.gateway), QString::fromStdU16String(state.camera.dns1),
            QString::fromStdU16String(state.camera.dns2)};
        QCOMPARE(got, stored);
        QCOMPARE(state.camera.dhcp, 0);
    }

    void dhcpSummaryShowsAuto()
    {
        startOn(PageId::NetWork);
        m_wizard->state().camera.ip = u"198.18.0.9";
        Click(page(), Net::kDhcpOff);
        Settle();
        QCOMPARE(Text(page(), Net::kIp), QStringLiteral("198.18.0.9"));
        // Choosing a static address puts the cursor in the address field.
        QCOMPARE(page()->focusWidget(), page()->FindControl(Net::kIp));
        Click(page(), Net::kDhcpOn);
        Settle();
        QCOMPARE(Text(page(), Net::kIp), QString());
        // Fields and their labels alike look unused.
        for (int id : {Net::kIp, Net::kMask, Net::kGateway, Net::kDns1, Net::kDns2, Net::kIpLabel,
                       Net::kMaskLabel, Net::kGatewayLabel, Net::kDns1Label, Net::kDns2Label})
            QVERIFY2(!page()->FindControl(id)->isEnabled(), qPrintable(QString::number(id)));
        Click(page(), Net::kNext);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
        QCOMPARE(m_wizard->state().camera.dhcp, 1);
        for (int id : {Net::kIp, Net::kMask, Net::kGateway, Net::kDns1, Net::kDns2})
            QCOMPARE(Text(page(), id), QStringLiteral("Auto"));
    }

    void aWirelessCameraWithoutAPageToGoToStaysUsable()
    {
        startOn(PageId::NetWork, FlowCamera{u"QC-400W", 1, {0xA5}});
        Click(page(), Net::kDhcpOn);
        Settle();
        Click(page(), Net::kNext);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::NetWork);
        for (int id : {Net::kExit, Net::kBack, Net::kNext})
            QVERIFY(!static_cast<CPicButton*>(page()->FindControl(id))->disabledFlag());
    }

    void loginChecksTheNewPasswordBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("confirmation differs") << "old"
                                              << "n3w"
                                              << "n3W" << 18 << int(Login::kConfirmPassword);
        QTest::newRow("same as the current one") << "old"
                                                 << "old"
                                                 << "old" << 16 << int(Login::kNewPassword);
        QTest::newRow("empty new password") << "old"
                                            << ""
                                            << "" << 64 << int(Login::kNewPassword);
        const QString tooLong(49, QLatin1Char('p'));
        QTest::newRow("too long to sign in with")
            << "old" << tooLong << tooLong << 63 << int(Login::kNewPassword);
    }

    void loginChecksTheNewPasswordBeforeAnythingIsSent()
    {
        QFETCH(QString, password);
        QFETCH(QString, newPassword);
        QFETCH(QString, confirm);
        QFETCH(int, message);
        QFETCH(int, focus);
        startOn(PageId::IdPwd);
        const uint16_t sequence = m_wizard->primaryManager().NextSequence();
        Click(page(), Login::kChangePasswordBox);
        Settle();
        QCOMPARE(m_wizard->state().changePassword, 1);
        QVERIFY(page()->FindControl(Login::kNewPassword)->isEnabled());
        Type(page(), Login::kAdminId, QStringLiteral("admin"));
        Type(page(), Login::kAdminPassword, password);
        Type(page(), Login::kNewPassword, newPassword);
        Type(page(), Login::kConfirmPassword, confirm);
        Click(page(), Login::kNext);
        Settle();
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(message)});
        QCOMPARE(page()->focusWidget(), page()->FindControl(focus));
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        // No request was numbered, so none went out.
        QCOMPARE(m_wizard->primaryManager().NextSequence(), uint16_t(sequence + 1));
    }

    void loginPageKeepsWhatWasTypedAndTheIdBoxCannotBeTicked()
    {
        startOn(PageId::IdPwd);
        auto* idBox = qobject_cast<QCheckBox*>(page()->FindControl(Login::kChangeIdBox));
        QVERIFY(idBox && !idBox->isEnabled());
        QVERIFY(!page()->FindControl(Login::kNewId)->isEnabled());
        WizardState& state = m_wizard->state();
        state.adminId = u"admin";
        state.adminPassword = u"pw";
        state.newPassword = u"n3w";
        state.confirmPassword = u"n3w";
        state.changePassword = 1;
        command(WIZ_NEXT);
        command(WIZ_BACK);
        QCOMPARE(m_wizard->currentPageId(), PageId::IdPwd);
        QCOMPARE(Text(page(), Login::kAdminId), QStringLiteral("admin"));
        QCOMPARE(Text(page(), Login::kAdminPassword), QStringLiteral("pw"));
        QCOMPARE(Text(page(), Login::kNewPassword), QStringLiteral("n3w"));
        QCOMPARE(Text(page(), Login::kConfirmPassword), QStringLiteral("n3w"));
        QCOMPARE(Text(page(), Login::kConfirmId), QString());
        QVERIFY(qobject_cast<QCheckBox*>(page()->FindControl(Login::kChangePasswordBox))->isChecked());
        Click(page(), Login::kChangePasswordBox);
        Settle();
        QCOMPARE(state.changePassword, 0);
        QVERIFY(!page()->FindControl(Login::kConfirmPassword)->isEnabled());
    }

    void aboutShowsTheVersion_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no caption") << QString() << QStringLiteral("Version: 1.2.3.4");
        QTest::newRow("blank caption") << QStringLiteral(" \t ") << QStringLiteral("Version: 1.2.3.4");
        QTest::newRow("skin caption") << QStringLiteral(" Release 7 ") << QStringLiteral("Release 7");
    }

    void aboutShowsTheVersion()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QCOMPARE(AboutVersionText(caption, ProgramVersion{1, 2, 3, 4}), shown);
    }

    void aboutPageShowsTheBuiltVersion()
    {
        startOn(PageId::About);
        const auto* text = qobject_cast<CPicText*>(page()->FindControl(CDlgAbout::kVersion));
        QVERIFY(text);
        const ProgramVersion v = kProgramVersion;
        QCOMPARE(text->text(),
                 QStringLiteral("Version: %1.%2.%3.%4").arg(v.major).arg(v.minor).arg(v.patch).arg(v.tweak));
    }

    // What Tab reaches, from the first control of the page, by section: every usable control,
    // row by row from the top and left to right, and round to the first again.
    void tabWalksTheControlsInReadingOrder_data()
    {
        QTest::addColumn<PageId>("pageId");
        QTest::addColumn<QStringList>("walk");
        using P = PageId;
        QTest::newRow("camera list") << P::ListCam
                                     << QStringList{"ListCtrl", "Exit", "MAbout", "Search", "Link", "Next"};
        // With "Change password" ticked; the change-ID box and its fields stay disabled.
        QTest::newRow("login") << P::IdPwd << QStringList{"ADMID",  "ADMPWD", "CKBXPWD", "NEWPWD",
                                                          "CHKPWD", "Exit",   "Back",    "Next"};
        QTest::newRow("network, static")
            << P::NetWork << QStringList{"DHCPON", "DHCPOFF", "IPADDR", "SUBMASK", "GATEWAY",
                                         "PRIDNS", "SECDNS",  "Exit",   "Back",    "Next"};
        QTest::newRow("network summary") << P::NetWorkFinish << QStringList{"Exit", "Back", "Next"};
        QTest::newRow("about") << P::About << QStringList{"Next"};
        // Wireless off, as for a camera that has not used it: only the switch and the buttons.
        QTest::newRow("wireless choice")
            << P::WirelessSelect << QStringList{"WPS", "Wireless", "Exit", "Back", "Next"};
        QTest::newRow("wireless") << P::Wireless << QStringList{"WLanON", "WLanOFF", "Exit", "Back", "Next"};
        QTest::newRow("wireless keys") << P::WirelessKey << QStringList{"Exit", "Back", "Next"};
        QTest::newRow("wireless summary") << P::WirelessFinish << QStringList{"Back", "Next"};
        QTest::newRow("one-page wireless")
            << P::WirelessNew << QStringList{"WLanON", "WLanOFF", "Exit", "Back", "Next"};
        QTest::newRow("one-page wireless summary")
            << P::WirelessFinishNew << QStringList{"Exit", "Back", "Next"};
    }

    void tabWalksTheControlsInReadingOrder()
    {
        QFETCH(PageId, pageId);
        QFETCH(QStringList, walk);
        startOn(PageId::ListCam, FlowCamera{u"QC-400W", 1, {0xA8, 0xB2}, 1});
        m_wizard->state().changePassword = 1;
        m_wizard->state().camera.dhcp = 0;
        if (pageId != PageId::ListCam)
            QVERIFY(m_wizard->GoTo(PageTransition{pageId}));
        const QString prefix = page()->pageSection() + QLatin1Char('.');
        auto* first = page()->findChild<QWidget*>(prefix + walk.first());
        QVERIFY(first);
        // A page starts with the first control read, unless it had none to give the focus to
        // (the camera list: disabled while it searched).
        if (pageId != PageId::ListCam)
            QCOMPARE(page()->focusWidget(), first);
        first->setFocus(Qt::TabFocusReason);
        const auto* outline = page()->findChild<FocusOutline*>();
        QCOMPARE(outline != nullptr, pageId == PageId::ListCam);
        QStringList walked;
        for (int step = 0; step <= walk.size(); ++step) {
            QWidget* focus = page()->focusWidget();
            QVERIFY(focus);
            walked.append(focus->objectName().mid(prefix.size()));
            // The list's style shows no focus of its own: the outline does, and only there, once
            // the keyboard has moved the focus.
            if (outline && step > 0)
                QCOMPARE(outline->isVisible(), walked.last() == QLatin1String("ListCtrl"));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(walked, walk + QStringList{walk.first()});

        // Every control, usable now or not, tells a screen reader what it is.
        for (const auto& item : page()->controls()) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(item->control.get());
            QVERIFY(control);
            QVERIFY2(!control->text(QAccessible::Name).trimmed().isEmpty(),
                     qPrintable(item->control->objectName()));
        }
    }

    void spaceOnTheFocusedNextMovesOn()
    {
        startOn(PageId::ListCam);
        m_wizard->state().camera.dhcp = 1;
        QVERIFY(m_wizard->GoTo(PageTransition{PageId::NetWork}));
        QWidget* next = page()->FindControl(Net::kNext);
        next->setFocus(Qt::TabFocusReason);
        QTest::keyClick(next, Qt::Key_Space);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::NetWorkFinish);
    }

    void aMissingOrUnreadableSkinSaysWhereItLookedAndEnds_data()
    {
        QTest::addColumn<SkinProblem>("problem");
        QTest::newRow("missing") << SkinProblem::Missing;
        QTest::newRow("a folder in its place") << SkinProblem::FolderInItsPlace;
        QTest::newRow("over the size limit") << SkinProblem::OverTheSizeLimit;
    }

    void aMissingOrUnreadableSkinSaysWhereItLookedAndEnds()
    {
        QFETCH(SkinProblem, problem);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString skinPath = folder.filePath(QStringLiteral("Quillane.ini"));
        if (problem == SkinProblem::FolderInItsPlace)
            QVERIFY(QDir().mkdir(skinPath));
        if (problem == SkinProblem::OverTheSizeLimit) {
            // Read as empty, every control would sit at 0,0 with no size.
            QFile skin(skinPath);
            QVERIFY(skin.open(QIODevice::WriteOnly));
            QVERIFY(skin.write("[DlgListCam]\n") > 0);
            QVERIFY(skin.resize(qint64{SkinFile::kMaxFileBytes} + 1));
        }
        const std::filesystem::path programFolder = folder.path().toStdString();
        CQuillaneDlg wizard(DeviceTimeouts{}, programFolder);
        // A wizard that starts after all is left again, and ends with 0.
        QTimer::singleShot(5000, &wizard, [&wizard] { PostWizardCommand(&wizard, WIZ_EXIT); });
        QCOMPARE(wizard.exec(), 1);
        QVERIFY(wizard.hasEnded());
        QCOMPARE(wizard.currentPage(), nullptr);
        QCOMPARE(ShownTexts(), QStringList{SkinMissingText(programFolder)});
        const QString text = ShownTexts().value(0);
        QVERIFY(text.contains(QStringLiteral("Quillane.ini")));
        QVERIFY(text.contains(folder.path()));
        QCOMPARE(MessageBox::shown().first().flags, unsigned(MessageBox::IconError));
    }

    // A starting program shows its page first: searching, with its buttons locked. The search
    // itself, its wait cursor and the window icon come once the page is on the screen.
    void searchBeginsOnceTheListIsOnTheScreen()
    {
        m_wizard = OfflineWizard();
        auto adaptersAsked = std::make_shared<std::atomic<bool>>(false);
        m_wizard->primaryManager().SetAdapterSource([adaptersAsked] {
            *adaptersAsked = true;
            return std::vector<AdapterAddress>{};
        });
        m_wizard->OnInitDialog();
        auto* list = static_cast<CDlgListCam*>(page());
        QVERIFY(list->isVisible());
        QVERIFY(list->isSearching());
        QVERIFY(static_cast<CPicButton*>(list->FindControl(CDlgListCam::kNext))->disabledFlag());
        QVERIFY(!list->firstShown().done());
        QVERIFY(!*adaptersAsked);
        QVERIFY(!QApplication::overrideCursor());

        QTRY_VERIFY(*adaptersAsked);
        QVERIFY(list->firstShown().done());
        QVERIFY(!QGuiApplication::windowIcon().isNull());
        QTRY_VERIFY(!list->isSearching());
        QVERIFY(!QApplication::overrideCursor());
    }

    void emptyListLeavesNextLinkAndWpsWithoutEffect()
    {
        ShellOpen::enableTestMode(true);
        ShellOpen::clearOpened();
        startOn(PageId::ListCam);
        CWizardPage* list = page();
        QVERIFY(!list->FindControl(CDlgListCam::kWps)->isVisible());
        // The empty list says why it is empty: this namespace has no adapter but loopback.
        QVERIFY(static_cast<CDlgListCam*>(list)->listStatus().startsWith(
            QStringLiteral("This PC has no network adapter with an address to search on.")));
        const auto* status = list->findChild<QLabel*>(QStringLiteral("DlgListCam.ListStatus"));
        QVERIFY(status && !status->isHidden());
        QVERIFY(status->textInteractionFlags() & Qt::TextSelectableByMouse);
        for (int id : std::initializer_list<int>{CDlgListCam::kNext, CDlgListCam::kLink}) {
            Click(list, id);
            Settle();
        }
        QCOMPARE(page(), list);
        QVERIFY(ShellOpen::opened().isEmpty());
    }

    // The key page with wireless on: what Next says, where the focus goes, and that a refused
    // key leaves the state alone.
    void keyPageChecksTheKeyInUse_data()
    {
        QTest::addColumn<int>("encryption");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("message"); // 0: accepted
        QTest::addColumn<int>("focus");
        using K = CDlgWirelessKey;
        const int kWep = Encryption::kWep;
        const int kWpa = Encryption::kTkipAes;
        const QString hex64(64, QLatin1Char('a'));
        QTest::newRow("64-bit ASCII") << kWep << 0 << 0 << "abcde" << 0 << 0;
        QTest::newRow("64-bit ASCII, 6") << kWep << 0 << 0 << "abcdef" << 33 << int(K::kKey2);
        QTest::newRow("64-bit hex, not hex") << kWep << 0 << 1 << "01234567zz" << 31 << int(K::kKey2);
        QTest::newRow("128-bit hex") << kWep << 1 << 1 << "0123456789abcdef0123456789" << 0 << 0;
        QTest::newRow("128-bit ASCII, short") << kWep << 1 << 0 << "abcdefghijkl" << 33 << int(K::kKey2);
        QTest::newRow("256 bits") << kWep << 2 << 1 << "0123456789abcdef0123456789" << 69
                                  << int(K::kKeyLength);
        QTest::newRow("passphrase of 7") << kWpa << 0 << 0 << "1234567" << 33 << int(K::kPassphrase);
        QTest::newRow("64 hex digits") << kWpa << 0 << 0 << hex64 << 0 << 0;
        QTest::newRow("64 with a z") << kWpa << 0 << 0 << QString(hex64).replace(5, 1, QLatin1Char('z')) << 30
                                     << int(K::kPassphrase);
    }

    void keyPageChecksTheKeyInUse()
    {
        QFETCH(int, encryption);
        QFETCH(int, length);
        QFETCH(int, format);
        QFETCH(QString, key);
        QFETCH(int, message);
        QFETCH(int, focus);
        using K = CDlgWirelessKey;
        startOn(PageId::ListCam);
        WirelessSettings& w = m_wizard->state().wireless;
        w.wirelessEnable = u"1";
        w.encryption = encryption;
        w.wepKeyLengthCaps = u"00000111";
        w.wepDefaultKey = 1;
        w.wepKeys = {u"k1", u"k2", u"k3", u"k4"};
        w.passphrase = u"old passphrase";
        QVERIFY(m_wizard->GoTo(PageTransition{PageId::WirelessKey}));
        const WirelessSettings before = w;
        qobject_cast<QComboBox*>(page()->FindControl(K::kKeyLength))->setCurrentIndex(length);
        qobject_cast<QComboBox*>(page()->FindControl(K::kKeyFormat))->setCurrentIndex(format);
        Settle();
        Type(page(), encryption == Encryption::kWep ? K::kKey2 : K::kPassphrase, key);
        Click(page(), K::kNext);
        Settle();
        if (message == 0) {
            QVERIFY(MessageBox::shown().isEmpty());
            QCOMPARE(m_wizard->currentPageId(), PageId::WirelessFinish);
            if (encryption == Encryption::kWep) {
                QCOMPARE(QString::fromStdU16String(w.wepKeys[1]), key);
                QCOMPARE(w.wepKeyLength, length);
                QCOMPARE(w.wepKeyFormat, format);
            } else {
                QCOMPARE(QString::fromStdU16String(w.passphrase), key);
            }
            return;
        }
        QCOMPARE(ShownTexts(), QStringList{SkinMessage(message)});
        QCOMPARE(m_wizard->currentPageId(), PageId::WirelessKey);
        QCOMPARE(page()->focusWidget(), page()->FindControl(focus));
        QCOMPARE(Text(page(), encryption == Encryption::kWep ? K::kKey2 : K::kPassphrase), key);
        QVERIFY(w.wepKeys == before.wepKeys && w.passphrase == before.passphrase);
        QCOMPARE(w.wepKeyLength, before.wepKeyLength);
    }

    void keyPageWithWirelessOffGoesOnAndKeepsNothing()
    {
        using K = CDlgWirelessKey;
        startOn(PageId::ListCam);
        WirelessSettings& w = m_wizard->state().wireless;
        w.wirelessEnable = u"0";
        w.encryption = Encryption::kWep;
        QVERIFY(m_wizard->GoTo(PageTransition{PageId::WirelessKey}));
        for (int id : {K::kKeyLength, K::kKey1, K::kPassphrase})
            QVERIFY(!page()->FindControl(id)->isEnabled());
        Type(page(), K::kKey1, QStringLiteral("bad"));
        Click(page(), K::kNext);
        Settle();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(m_wizard->currentPageId(), PageId::WirelessFinish);
        QVERIFY(w.wepKeys[0].empty());
    }

    // A "K7Z" camera's WEP authentication is fixed to Both in ad hoc mode, and free again in
    // infrastructure mode.
    void wirelessPageK7ZRules()
    {
        using W = CDlgWireless;
        startOn(PageId::ListCam);
        WizardState& state = m_wizard->state();
        state.camera.model = u"QC-K7Z Pan";
        state.wireless.wirelessEnable = u"1";
        state.wireless.encryption = Encryption::kWep;
        state.wireless.authentication = Authentication::kShared;
        QVERIFY(m_wizard->GoTo(PageTransition{PageId::Wireless}));
        auto checked = [this](int id) {
            return qobject_cast<QAbstractButton*>(page()->FindControl(id))->isChecked();
        };
        QVERIFY(checked(W::kShared) && page()->FindControl(W::kShared)->isEnabled());
        Click(page(), W::kAdHoc);
        Settle();
        QVERIFY(checked(W::kBoth) && !checked(W::kShared));
        for (int id : std::initializer_list<int>{W::kOpen, W::kShared, W::kBoth})
            QVERIFY(!page()->FindControl(id)->isEnabled());
        qobject_cast<QComboBox*>(page()->FindControl(W::kSecurity))->setCurrentIndex(0);
        Settle();
        QVERIFY(checked(W::kOpen));
        Click(page(), W::kInfrastructure);
        Settle();
        qobject_cast<QComboBox*>(page()->FindControl(W::kSecurity))->setCurrentIndex(1);
        Settle();
        QVERIFY(page()->FindControl(W::kShared)->isEnabled());
        Type(page(), W::kSsid, QStringLiteral("Yard"));
        Click(page(), W::kNext);
        Settle();
        QCOMPARE(m_wizard->currentPageId(), PageId::WirelessKey);
        QCOMPARE(state.wireless.adHoc, 0);
        QCOMPARE(state.wireless.encryption, int32_t{Encryption::kWep});
        // The last WEP choice was Both, made for ad hoc; it stays until changed.
        QCOMPARE(state.wireless.authentication, int32_t{Authentication::kBoth});
    }

    void ssidChecksKeepThePageAndTheState_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("ssid");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("stored");
        for (const PageId id : {PageId::Wireless, PageId::WirelessNew}) {
            const QByteArray name = id == PageId::Wireless ? "standard, " : "one page, ";
            QTest::newRow(name + "empty, on") << int(id) << "" << true << false << "";
            QTest::newRow(name + "accented, on") << int(id) << "Caf\u00e9" << true << false << "";
            QTest::newRow(name + "accented, off") << int(id) << "Caf\u00e9" << false << true << "";
            QTest::newRow(name + "plain, on") << int(id) << "Cafe" << true << true << "Cafe";
        }
    }

    void ssidChecksKeepThePageAndTheState()
    {
        QFETCH(int, page);
        QFETCH(QString, ssid);
        QFETCH(bool, on);
        QFETCH(bool, goesOn);
        QFETCH(QString, stored);
        const auto id = static_cast<PageId>(page);
        startOn(PageId::ListCam);
        WirelessSettings& w = m_wizard->state().wireless;
        w.wirelessEnable = on ? u"Enabled" : u"0";
        w.ssid = u"before";
        QVERIFY(m_wizard->GoTo(PageTransition{id}));
        Type(this->page(), CDlgWireless::kSsid, ssid);
        Click(this->page(), CDlgWireless::kNext);
        Settle();
        if (!goesOn) {
            QCOMPARE(ShownTexts(), QStringList{SkinMessage(20)});
            QCOMPARE(m_wizard->currentPageId(), id);
            QCOMPARE(this->page()->focusWidget(), this->page()->FindControl(CDlgWireless::kSsid));
            QCOMPARE(Text(this->page(), CDlgWireless::kSsid), ssid);
            QCOMPARE(QString::fromStdU16String(w.ssid), QStringLiteral("before"));
            return;
        }
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(m_wizard->currentPageId() != id);
        QCOMPARE(QString::fromStdU16String(w.ssid), stored);
    }

    void onePageKeyWithWirelessOffEmptiesTheSlot()
    {
        using N = CDlgWirelessNew;
        startOn(PageId::ListCam);
        WirelessSettings& w = m_wizard->state().wireless;
        w.wirelessEnable = u"0";
        w.authentication = Authentication::kOpen;
        w.encryption = Encryption::kWep;
        w.wepDefaultKey = 2;
        w.wepKeys = {u"k1", u"k2", u"abcde", u"k4"};
        QVERIFY(m_wizard->GoTo(PageTransition{PageId::WirelessNew}));
        QCOMPARE(Text(page(), N::kKey), QStringLiteral("abcde"));
        QVERIFY(!page()->FindControl(N::kKey)->isEnabled());
        Type(page(), N::kKey, QStringLiteral("abcdefghijk"));
        Click(page(), N::kNext);
        Settle();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(m_wizard->currentPageId(), PageId::WirelessFinishNew);
        QVERIFY(w.wepKeys[2].empty());
        QCOMPARE(QString::fromStdU16String(w.wepKeys[1]), QStringLiteral("k2"));
    }

    // More addresses than entries: the empty list names the ones no search went through. The
    // made-up interfaces do not exist, so the search ends without sending anything, and says so.
    void emptyListNamesTheAddressesLeftOut()
    {
        startOn(PageId::ListCam);
        m_wizard->primaryManager().SetAdapterSource([] {
            std::vector<AdapterAddress> listed(10);
            for (size_t i = 0; i < listed.size(); ++i) {
                listed[i].interfaceName = "made-up" + std::to_string(i);
                listed[i].ip = {198, 18, 9, static_cast<uint8_t>(i + 1)};
                listed[i].ipText = FormatAddress(listed[i].ip);
                listed[i].adapterOrdinal = static_cast<int32_t>(i);
            }
            return listed;
        });
        Click(page(), CDlgListCam::kSearch);
        const auto* list = static_cast<CDlgListCam*>(page());
        QTRY_VERIFY(list->listStatus().contains(QStringLiteral("not searched")));
        QVERIFY(!list->isSearching());
        const QString status = list->listStatus();
        QVERIFY2(
            status.startsWith(QStringLiteral("No search request could be sent on made-up0 (198.18.9.1): ")),
            qPrintable(status));
        QVERIFY2(
            status.endsWith(QStringLiteral("not searched: made-up8 (198.18.9.9), made-up9 (198.18.9.10).")),
            qPrintable(status));
    }
};

QTEST_MAIN(WizardFlowTest)
#include "WizardFlowTest.moc"
