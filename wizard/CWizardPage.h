// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WirelessOptions.h"
#include "skin/CPicDialog.h"
#include "skin/SkinPageSpec.h"
#include "wizard/OperationRunner.h"
#include "wizard/PageLinks.h"

#include <QPointer>
#include <cstdint>
#include <filesystem>
#include <optional>

class BusyIndicator;
class CPicButton;
class QComboBox;
class QLineEdit;

// What every wizard page shares: it is built from its skin section by its own control table,
// receives the main window's links, and reports to the main window (its parent) by posting
// page-flow commands.
class CWizardPage : public CPicDialog
{
    Q_OBJECT
public:
    // Exit, Back and Next, the same on every page that has them.
    enum FlowButtonId : int
    {
        kExit = 1001,
        kBack = 1002,
        kNext = 1003,
    };
    static constexpr SkinControlSpec kExitButton{SkinControlKind::PicButton, kExit, u"Exit"};
    static constexpr SkinControlSpec kBackButton{SkinControlKind::PicButton, kBack, u"Back"};
    static constexpr SkinControlSpec kNextButton{SkinControlKind::PicButton, kNext, u"Next"};

    // skinPage is the page's own table (static, like every page's kSkinPage).
    CWizardPage(QWidget* mainWindow, const SkinPageSpec& skinPage);

    // Builds the page and its controls from its table and the skin beside the program. A page
    // that cannot be made returns false.
    virtual bool Create(const std::filesystem::path& programFolder);
    void Attach(const PageLinks& links) { m_links = links; }
    const PageLinks& links() const { return m_links; }
    // Copies what the page shows from the wizard state into its controls.
    virtual void OnInitPage() {}

    // The value that a page hands back to the main window when it is left forward, and that it
    // is handed again when re-entered backward. Only the WPS page carries one.
    virtual int carriedWpsValue() const { return -1; }
    virtual void receiveCarriedWpsValue(int) {}

    const std::filesystem::path& programFolder() const { return m_programFolder; }
    std::filesystem::path templateFolder() const { return m_programFolder / "tQuillane"; }

    // While an operation runs the page is busy: every control but Exit is disabled, a busy
    // indicator turns, and clicks that were already on their way are dropped.
    bool isBusy() const { return m_busy; }

protected:
    // Exit and Back, the same on every page; pages hand on the commands they do not handle.
    void OnCommand(int id, int code) override;
    void post(int command);
    CPicButton* picButton(int id) const;
    QLineEdit* edit(int id) const;
    // A missing control is skipped by every helper below.
    void enableButton(int id, bool enabled);
    void enableControl(int id, bool enabled);
    void setText(int id, const QString& text);
    QString text(int id) const;
    // Radio buttons and check boxes.
    void setChecked(int id, bool checked);
    bool isChecked(int id) const;
    // Drop-down lists whose entries carry the code they stand for.
    void fillList(int id, const WirelessOptionList& entries);
    // Selects the first entry of that type; false (and nothing selected) when there is none.
    bool selectType(int id, int32_t type);
    std::optional<int32_t> selectedType(int id) const;
    QComboBox* list(int id) const;
    void setPageFontOn(std::initializer_list<int> ids);
    // Turns an operation's failure code into the message the person sees.
    void ReportFailure(int code, int32_t detail);
    // As ReportFailure, for writes: one that went unanswered may have taken effect (message 68).
    void ReportWriteFailure(int code, int32_t detail);

    // Runs sequence on the main window's runner with the page busy meanwhile; done follows on
    // this thread, unless the page has gone or the run was stopped. False when nothing started
    // (no runner, or an operation runs already).
    bool runOperation(OperationRunner::Sequence sequence, OperationRunner::Done done);

    bool event(QEvent* event) override;

    PageLinks m_links;

private:
    void setBusy(bool busy);
    void placeBusyIndicator();

    SkinPageSpec m_skinPage;
    std::filesystem::path m_programFolder;
    bool m_busy = false;
    BusyIndicator* m_busyIndicator = nullptr;
    // Controls that the busy state disabled, to be enabled again afterwards.
    std::vector<QPointer<QWidget>> m_disabledWhileBusy;
};
