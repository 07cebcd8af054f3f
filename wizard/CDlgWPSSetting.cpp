// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWPSSetting.h"

#include "device/CDeviceManager.h"
#include "device/DeviceOperations.h"
#include "device/WizardState.h"
#include "device/WpsPin.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"
#include "wizard/Clipboard.h"

#include <QLineEdit>
#include <QProgressBar>

namespace {

constexpr int kMessageNotJoined = 2002;
constexpr int kMessageJoined = 2003;
constexpr int kMessageRetry = 2004;
constexpr int kMessageStillRunning = 2005;

constexpr int kCredentialControls[] = {CDlgWPSSetting::kAdminId, CDlgWPSSetting::kAdminPassword,
                                       CDlgWPSSetting::kAdminIdLabel, CDlgWPSSetting::kAdminPasswordLabel};
constexpr int kPushButtonView[] = {CDlgWPSSetting::kStartPushButton, 1326, 1327, 1328, 1329, 1330, 1339};
constexpr int kPinView[] = {CDlgWPSSetting::kPinEdit,
                            CDlgWPSSetting::kNewPin,
                            CDlgWPSSetting::kCopyPin,
                            CDlgWPSSetting::kStartPin,
                            1331,
                            1332,
                            1333,
                            1334,
                            1335};
// What a join disables; Exit, Back and Next stay, and ask first.
constexpr int kInputs[] = {CDlgWPSSetting::kAdminId,          CDlgWPSSetting::kAdminPassword,
                           CDlgWPSSetting::kPushButtonMethod, CDlgWPSSetting::kPinMethod,
                           CDlgWPSSetting::kStartPushButton,  CDlgWPSSetting::kStartPin,
                           CDlgWPSSetting::kNewPin,           CDlgWPSSetting::kCopyPin};

} // namespace

CDlgWPSSetting::CDlgWPSSetting(QWidget* mainWindow, WpsEntry entry)
    : CWizardPage(mainWindow, kSkinPage), m_entry(entry)
{
    m_pause.setSingleShot(true);
    connect(&m_pause, &QTimer::timeout, this, &CDlgWPSSetting::restoreControls);
}

CDlgWPSSetting::~CDlgWPSSetting()
{
    if (m_join)
        m_join->stop();
}

void CDlgWPSSetting::OnInitPage()
{
    if (m_links.primary)
        m_links.primary->SetTemplateFolder(templateFolder());
    m_join = new WpsJoin([this](WpsJoin::Step step,
                                WpsJoin::StepDone done) { return runStep(std::move(step), std::move(done)); },
                         m_links.wpsTiming, this);
    connect(m_join, &WpsJoin::progress, this, [this](int position) {
        if (auto* bar = qobject_cast<QProgressBar*>(FindControl(kProgress)))
            bar->setValue(position);
    });
    connect(m_join, &WpsJoin::finished, this, &CDlgWPSSetting::joinFinished);
    m_pause.setInterval(static_cast<int>(m_links.wpsTiming.pauseAfterFailure.count()));

    for (int id : kCredentialControls) {
        if (QWidget* control = FindControl(id))
            control->setVisible(m_entry == WpsEntry::FromList);
    }
    const WizardState& state = *m_links.state;
    setText(kAdminId, QString::fromStdU16String(state.adminId));
    setText(kAdminPassword, QString::fromStdU16String(state.adminPassword));
    if (QLineEdit* pinEdit = edit(kPinEdit))
        pinEdit->setReadOnly(true); // the camera gets the PIN the page made, never a typed one
    if (auto* bar = qobject_cast<QProgressBar*>(FindControl(kProgress))) {
        bar->setRange(0, WpsJoin::kProgressSteps);
        bar->setValue(m_result == kJoined ? WpsJoin::kProgressSteps : 0);
    }
    setPageFontOn({kAdminId, kAdminPassword, kPinEdit, kPushButtonMethod, kPinMethod});
    // Entered again after a join, the summary already holds what the camera learned.
    m_joinedSettingsRead = m_result == kJoined;
    chooseMethod(WpsMode::kPushButton);
}

void CDlgWPSSetting::chooseMethod(int32_t method)
{
    const bool pin = method == WpsMode::kPin;
    setChecked(kPushButtonMethod, !pin);
    setChecked(kPinMethod, pin);
    makePin();
    if (pin)
        setText(kPinEdit, m_pin);
    showView(pin);
    m_links.state->wpsMethod = method;
}

void CDlgWPSSetting::showView(bool pinView)
{
    for (int id : kPushButtonView) {
        if (QWidget* control = FindControl(id))
            control->setVisible(!pinView);
    }
    for (int id : kPinView) {
        if (QWidget* control = FindControl(id))
            control->setVisible(pinView);
    }
}

void CDlgWPSSetting::makePin()
{
    m_pin = QString::fromStdU16String(GenerateWpsPin());
}

void CDlgWPSSetting::startJoin()
{
    if (isJoining() || !m_links.state || !m_links.primary)
        return;
    WizardState& state = *m_links.state;
    // Read before anything is sent: from the list these are the only credentials there are.
    if (m_entry == WpsEntry::FromList) {
        state.adminId = text(kAdminId).toStdU16String();
        state.adminPassword = text(kAdminPassword).toStdU16String();
    }
    WpsValues wps;
    wps.mode = state.wpsMethod;
    wps.pin = m_pin.toStdU16String();
    m_pause.stop();
    setInputsEnabled(false);
    m_starting = true;
    runStep([wps, entry = m_entry](
                OperationContext& context) mutable { return StartWpsJoin(context, wps, entry); },
            [this](int code, int32_t detail) { joinStarted(code, detail); });
}

void CDlgWPSSetting::joinStarted(int code, int32_t errorDetail)
{
    m_starting = false;
    if (code != OperationResult::kSuccess) {
        restoreControls();
        ReportFailure(code, errorDetail);
        return;
    }
    m_result = kNotJoined;
    m_join->start();
}

void CDlgWPSSetting::joinFinished(bool success, bool, int, int32_t)
{
    update();
    if (!success) {
        ShowMessage(kMessageNotJoined, MessageBox::IconWarning);
        m_pause.start();
        return;
    }
    ShowMessage(kMessageJoined, MessageBox::IconInformation);
    m_result = kJoined;
    readJoinedSettingsThenNext();
}

void CDlgWPSSetting::readJoinedSettingsThenNext()
{
    if (m_entry == WpsEntry::FromList || m_joinedSettingsRead) {
        post(WIZ_NEXT);
        return;
    }
    // The summary that follows applies the state's wireless settings: stale ones would undo the
    // join, so the page goes on only with what the camera now holds.
    m_starting = runOperation(GetWLan, [this](int code, int32_t detail) {
        m_starting = false;
        if (code != OperationResult::kSuccess) {
            restoreControls();
            ReportFailure(code, detail);
            return;
        }
        m_joinedSettingsRead = true;
        post(WIZ_NEXT);
    });
}

void CDlgWPSSetting::restoreControls()
{
    setInputsEnabled(true);
    showView(isChecked(kPinMethod));
}

void CDlgWPSSetting::setInputsEnabled(bool enabled)
{
    for (int id : kInputs) {
        if (id == kStartPushButton || id == kStartPin)
            enableButton(id, enabled);
        else
            enableControl(id, enabled);
    }
}

void CDlgWPSSetting::leave(int command)
{
    OperationRunner* runner = m_links.runner;
    if (isJoining()) {
        // Nothing that comes in may change the page while the question is open.
        m_join->hold(true);
        if (runner)
            runner->hold(true);
        const int answer = ShowMessage(kMessageStillRunning, MessageBox::YesNo | MessageBox::IconQuestion);
        m_join->hold(false);
        if (answer == MessageBox::IdYes) {
            m_join->stop();
            m_starting = false;
        }
        const bool stepRunning = answer == MessageBox::IdYes && runner && runner->isRunning();
        if (stepRunning) {
            // The main window switches no page under a running step: leave once it has ended.
            connect(
                runner, &OperationRunner::finished, this, [this, command] { post(command); },
                Qt::SingleShotConnection);
            runner->stop();
        }
        if (runner)
            runner->hold(false);
        if (answer != MessageBox::IdYes || stepRunning)
            return;
    }
    post(command);
}

void CDlgWPSSetting::OnNext()
{
    if (isJoining()) {
        leave(WIZ_NEXT);
        return;
    }
    switch (m_result) {
    case kNeverStarted:
        startJoin();
        return;
    case kNotJoined:
        if (ShowMessage(kMessageRetry, MessageBox::RetryCancel | MessageBox::IconQuestion) ==
            MessageBox::IdRetry)
            startJoin();
        else
            post(WIZ_NEXT);
        return;
    default:
        readJoinedSettingsThenNext();
        return;
    }
}

// The polls run on the main window's worker without making the page busy: Exit, Back and Next
// stay usable, and ask first.
bool CDlgWPSSetting::runStep(WpsJoin::Step step, WpsJoin::StepDone done)
{
    return m_links.runner && m_links.runner->run(this, std::move(step), std::move(done));
}

void CDlgWPSSetting::OnCommand(int id, int code)
{
    switch (id) {
    case kExit:
        leave(WIZ_EXIT);
        break;
    case kBack:
        leave(WIZ_BACK);
        break;
    case kNext:
        OnNext();
        break;
    case kPushButtonMethod:
        chooseMethod(WpsMode::kPushButton);
        break;
    case kPinMethod:
        chooseMethod(WpsMode::kPin);
        break;
    case kStartPushButton:
    case kStartPin:
        startJoin();
        break;
    case kNewPin:
        makePin();
        setText(kPinEdit, m_pin);
        break;
    case kCopyPin:
        Clipboard::setText(text(kPinEdit));
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
