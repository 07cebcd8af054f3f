// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CDeviceManager.h"
#include "device/WizardState.h"
#include "skin/SkinFile.h"
#include "wizard/OperationRunner.h"
#include "wizard/PageFlow.h"
#include "wizard/PageLinks.h"
#include "wizard/PageRegistry.h"

#include <QFont>
#include <QIcon>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>

class CWizardPage;
class QEventLoop;

// The pictures that the first page shows before anything has happened on it, and its font.
struct FirstPageLook
{
    QStringList pictures;
    SkinFont font;
};

// What the person reads when the skin file beside the program is missing or unreadable; it
// cannot come from the skin.
QString SkinMissingText(const std::filesystem::path& programFolder);

// The hidden main window: it owns the wizard state and both device managers, shows one page at
// a time and switches pages when a page posts a page-flow command.
class CQuillaneDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CQuillaneDlg(const DeviceTimeouts& timeouts = DeviceTimeouts{},
                          const std::filesystem::path& programFolder = {});
    ~CQuillaneDlg() override;

    // Shows the camera list, which starts searching, in the middle of the screen. Without a
    // readable skin file it says so and ends instead.
    void OnInitDialog();
    // OnInitDialog, then runs until the wizard is left; returns 0, or 1 when it could not start.
    int exec();
    bool hasEnded() const { return m_ended; }

    CWizardPage* currentPage() const { return m_page.get(); }
    PageId currentPageId() const { return m_pageId; }
    WizardState& state() { return m_state; }
    CDeviceManager& primaryManager() { return m_primary; }
    OperationRunner& runner() { return m_runner; }
    int carriedWpsValue() const { return CarriedWpsValue; }
    const std::optional<QFont>& pageFont() const { return m_pageFont; }
    // Pages made from now on pace their WPS joins so.
    void setWpsJoinTiming(const WpsJoinTiming& timing) { m_wpsTiming = timing; }

    // What the page the wizard starts on shows first, from the skin beside the program.
    static FirstPageLook ReadFirstPageLook(const std::filesystem::path& programFolder);

    // Clears what was collected about the last camera and rereads the skin's page settings from
    // `skin`, the skin file beside the program as a page has just read it.
    void ResetWizardState(const SkinFile& skin);
    // Set-up order: make the page, hand it its links, initialise it, switch. False (and nothing
    // changed but the carried value) when the page cannot be made.
    bool GoTo(const PageTransition& transition);

signals:
    void ended();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnWizardCommand(int command);
    std::unique_ptr<CWizardPage> CreatePage(const PageRegistration& registration);
    PageLinks LinksFor(PageReceives receives);
    void SwitchTo(std::unique_ptr<CWizardPage> page, PageId id);
    void Exit();
    // Leaving while an operation runs: asks first, then stops the operation and leaves once its
    // worker has ended.
    void ExitWhileRunning();
    void EndNow();
    bool SkinReadable() const;
    static QIcon ProgramIcon();
    // Gives the application's windows the program's icon, once.
    void ShowProgramIcon();

    std::filesystem::path m_programFolder;
    WizardState m_state;
    std::unique_ptr<CWizardPage> m_page;
    PageId m_pageId = PageId::ListCam;
    int CarriedWpsValue = -1;
    CDeviceManager m_primary;
    CDeviceManager m_secondary;
    // After the state and the managers, which its worker uses: it goes first.
    OperationRunner m_runner;
    std::optional<QFont> m_pageFont;
    WpsJoinTiming m_wpsTiming;
    QEventLoop* m_loop = nullptr;
    bool m_exiting = false;
    bool m_askingToExit = false;
    bool m_exitWhenStopped = false;
    bool m_ended = false;
    int m_exitCode = 0;
};
