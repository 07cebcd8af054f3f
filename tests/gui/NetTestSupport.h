// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tests/gui/WizardTestSupport.h"
#include "tests/net/NetLab.h"
#include "wizard/CDlgIdPwd.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CDlgNetWork.h"

#include <QApplication>
#include <QTableWidget>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <utility>

namespace WizardTest {

// Why a GUI test that builds a test network cannot run here; empty when it can.
inline QString NetSkipReason()
{
    if (const QString problem = IsolationProblem(); !problem.isEmpty())
        return problem;
    return QString::fromStdString(NetLab::SkipReason());
}

// Compares values of the camera with mac (empty: the first camera) in a simulator state, and
// fails with every value that differs, not only the first, at the caller's line. True when all
// are as expected. (The compilers' builtins name the caller: clang 14 has no source_location.)
inline bool ExpectCamera(const std::string& state, const std::string& mac,
                         std::initializer_list<std::pair<std::string, std::string>> expected,
                         const char* file = __builtin_FILE(), int line = __builtin_LINE())
{
    QStringList differences;
    for (const auto& [key, value] : expected) {
        const std::string held = CameraValue(state, key, mac);
        if (held != value)
            differences.append(QStringLiteral("%1 '%2' instead of '%3'")
                                   .arg(QString::fromStdString(key), QString::fromStdString(held),
                                        QString::fromStdString(value)));
    }
    const QString what = QStringLiteral("camera %1: %2")
                             .arg(QString::fromStdString(mac.empty() ? "(first)" : mac),
                                  differences.join(QStringLiteral("; ")));
    return QTest::qVerify(differences.isEmpty(), "ExpectCamera", qPrintable(what), file, line);
}

// What the wizard's GUI tests against simulated cameras share: a throw-away network with one
// simulator, the wizard searching it, and the steps a person takes through the pages. A test's
// init() skips when NetSkipReason() is not empty, then calls enterTestModes(); its cleanup() calls
// leave().
class WizardNetFixture : public QObject
{
protected:
    // With QUILLANE_SHOT_DIR set, shoot() saves the page there as a PNG for review, its name led
    // by shotPrefix and the step's number.
    explicit WizardNetFixture(QString shotPrefix = {})
        : m_shots(qEnvironmentVariable("QUILLANE_SHOT_DIR")), m_shotPrefix(std::move(shotPrefix))
    {
    }

    // Message boxes answered in advance and recorded, and clicks that follow each other at test
    // speed.
    void enterTestModes()
    {
        MessageBox::enableTestMode(true);
        MessageBox::clearShown();
        PressGuard::setInterval(std::chrono::milliseconds(0));
    }

    // Ends the wizard and the network; no window may be left behind.
    void leave()
    {
        m_wizard.reset();
        m_lab.reset();
        MessageBox::enableTestMode(false);
        PressGuard::setInterval(std::nullopt);
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

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

    // Starts the wizard on its camera list, which searches the network.
    void startWizard(std::chrono::milliseconds searchQuiet = std::chrono::milliseconds(400),
                     std::chrono::milliseconds receive = std::chrono::milliseconds(300),
                     std::optional<WpsJoinTiming> wpsTiming = std::nullopt)
    {
        DeviceTimeouts timeouts;
        timeouts.searchQuiet = searchQuiet;
        timeouts.receive = receive;
        m_wizard = std::make_unique<CQuillaneDlg>(timeouts, kProgramFolder);
        if (wpsTiming)
            m_wizard->setWpsJoinTiming(*wpsTiming);
        m_wizard->OnInitDialog();
    }

    CWizardPage* page() const { return m_wizard->currentPage(); }
    CDlgListCam* listPage() const { return qobject_cast<CDlgListCam*>(page()); }
    // The simulator's state now.
    std::string simulator() const { return NetLab::ReadState(m_state); }

    void shoot(const QString& name)
    {
        if (m_shots.isEmpty() || !page())
            return;
        Settle();
        page()->grab().save(QStringLiteral("%1/%2%3-%4.png")
                                .arg(m_shots, m_shotPrefix)
                                .arg(++m_shot, 2, 10, QLatin1Char('0'))
                                .arg(name));
    }

    void waitForSearch() { QTRY_VERIFY_WITH_TIMEOUT(listPage() && !listPage()->isSearching(), 10000); }

    // The list's row that shows mac ("02.00.5e.00.00.01"); -1 when none does.
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

    // The text of the row's column whose caption contains captionPart.
    QString cell(int row, const QString& captionPart) const
    {
        QTableWidget* list = listPage()->list();
        for (int column = 0; column < list->columnCount(); ++column) {
            if (list->horizontalHeaderItem(column)->text().contains(captionPart))
                return list->item(row, column) ? list->item(row, column)->text() : QString();
        }
        return {};
    }

    // Selects the camera's row on the list.
    void choose(const QString& mac)
    {
        const int row = rowOf(mac);
        QVERIFY(row >= 0);
        listPage()->list()->selectRow(row);
        Settle();
        QCOMPARE(listPage()->chosenIndex() >= 0, true);
    }

    // Clicks a control that leads to another page, and waits for it.
    void click(int id, PageId expected)
    {
        Click(page(), id);
        Settle();
        QTRY_COMPARE_WITH_TIMEOUT(m_wizard->currentPageId(), expected, 10000);
    }
    void next(PageId expected) { click(CWizardPage::kNext, expected); }
    void back(PageId expected) { click(CWizardPage::kBack, expected); }

    // From the list, once its search has ended: chooses the camera and signs in as "admin" with
    // password "admin", changing it when newPassword is given. Ends on the network page.
    void signIn(const QString& mac, const QString& newPassword = {})
    {
        choose(mac);
        next(PageId::IdPwd);
        Type(page(), CDlgIdPwd::kAdminId, QStringLiteral("admin"));
        Type(page(), CDlgIdPwd::kAdminPassword, QStringLiteral("admin"));
        if (!newPassword.isEmpty()) {
            Click(page(), CDlgIdPwd::kChangePasswordBox);
            Settle();
            Type(page(), CDlgIdPwd::kNewPassword, newPassword);
            Type(page(), CDlgIdPwd::kConfirmPassword, newPassword);
        }
        next(PageId::NetWork);
    }

    // On the network page: the camera takes its address by DHCP.
    void takeDhcp()
    {
        Click(page(), CDlgNetWork::kDhcpOn);
        Settle();
    }

    std::unique_ptr<NetLab> m_lab;
    std::filesystem::path m_state;
    std::unique_ptr<CQuillaneDlg> m_wizard;

private:
    QString m_shots;
    QString m_shotPrefix;
    int m_shot = 0;
};

} // namespace WizardTest
