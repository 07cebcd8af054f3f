// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgIdPwd.h"

#include "device/CDeviceManager.h"
#include "device/LoginSequence.h"
#include "device/OperationSteps.h"
#include "device/WizardState.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"

#include <QLineEdit>
#include <tuple>
#include <utility>

namespace {

// A new password that the camera would store but that no sign-in could carry whole.
constexpr int kMessagePasswordTooLong = 63;
// The box stays ticked for the next camera while the fields do not: an empty new password
// would otherwise lock that camera with no password at all.
constexpr int kMessagePasswordEmpty = 64;

QString qs(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

CDlgIdPwd::CDlgIdPwd(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage) {}

bool CDlgIdPwd::Create(const std::filesystem::path& programFolder)
{
    if (!CWizardPage::Create(programFolder))
        return false;
    // No camera that the wizard can choose accepts a new ID.
    if (QWidget* box = FindControl(kChangeIdBox))
        box->setEnabled(false);
    return true;
}

void CDlgIdPwd::OnInitPage()
{
    if (m_links.primary)
        m_links.primary->SetTemplateFolder(templateFolder());
    const WizardState& state = *m_links.state;
    const std::pair<int, const std::u16string*> fills[] = {
        {kAdminId, &state.adminId},
        {kAdminPassword, &state.adminPassword},
        {kNewId, &state.newId},
        {kNewPassword, &state.newPassword},
        {kConfirmPassword, &state.confirmPassword},
    };
    for (const auto& [id, value] : fills) {
        if (QLineEdit* field = edit(id))
            field->setText(qs(*value));
    }
    setPageFontOn({kAdminId, kAdminPassword, kNewId, kNewPassword, kConfirmPassword});

    setChecked(kChangeIdBox, state.changeId != 0);
    enableControl(kNewId, state.changeId != 0);
    enableControl(kConfirmId, state.changeId != 0);
    setChecked(kChangePasswordBox, state.changePassword != 0);
    enableControl(kNewPassword, state.changePassword != 0);
    enableControl(kConfirmPassword, state.changePassword != 0);
}

void CDlgIdPwd::OnChangeId()
{
    WizardState& state = *m_links.state;
    state.changeId = state.changeId == 0 ? 1 : 0;
    setChecked(kChangeIdBox, state.changeId != 0);
    enableControl(kNewId, state.changeId != 0);
    enableControl(kConfirmId, state.changeId != 0);
}

void CDlgIdPwd::OnChangePassword()
{
    WizardState& state = *m_links.state;
    state.changePassword = state.changePassword == 0 ? 1 : 0;
    setChecked(kChangePasswordBox, state.changePassword != 0);
    enableControl(kNewPassword, state.changePassword != 0);
    enableControl(kConfirmPassword, state.changePassword != 0);
}

void CDlgIdPwd::OnNext()
{
    if (!m_links.state || !m_links.primary)
        return;
    WizardState& state = *m_links.state;
    const std::u16string adminId = text(kAdminId).toStdU16String();
    const std::u16string adminPassword = text(kAdminPassword).toStdU16String();
    const std::u16string newId = text(kNewId).toStdU16String();
    const std::u16string newPassword = text(kNewPassword).toStdU16String();
    const std::u16string confirmPassword = text(kConfirmPassword).toStdU16String();

    // A refused new password: the field to mend gets the focus, the message says why.
    auto refuse = [this](int field, int message) {
        if (QWidget* control = FindControl(field))
            control->setFocus();
        ShowMessage(message, MessageBox::IconWarning);
    };
    if (state.changePassword == 1) {
        if (newPassword.empty())
            return refuse(kNewPassword, kMessagePasswordEmpty);
        if (newPassword != confirmPassword)
            return refuse(kConfirmPassword, 18);
        if (newPassword == adminPassword)
            return refuse(kNewPassword, 16);
        if (!FitsSignIn(newPassword))
            return refuse(kNewPassword, kMessagePasswordTooLong);
    }
    state.newId = newId;
    state.newPassword = newPassword;

    // The operations sign in with the state's credentials; they stay there only when the camera
    // accepts them.
    auto previous = std::make_pair(state.adminId, state.adminPassword);
    state.adminId = adminId;
    state.adminPassword = adminPassword;
    runOperation(Login, [this, previous = std::move(previous), confirmPassword](int code, int32_t detail) {
        WizardState& state = *m_links.state;
        m_errorDetail = detail;
        if (code != OperationResult::kSuccess) {
            std::tie(state.adminId, state.adminPassword) = previous;
            ReportFailure(code, m_errorDetail);
            return;
        }
        state.confirmPassword = confirmPassword;
        post(WIZ_NEXT);
    });
}

void CDlgIdPwd::OnCommand(int id, int code)
{
    switch (id) {
    case kNext:
        OnNext();
        break;
    case kChangeIdBox:
        OnChangeId();
        break;
    case kChangePasswordBox:
        OnChangePassword();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
