#include "CDlgIdPwd.h"

#include "CDeviceManager.h"
#include "LoginSequence.h"
#include "MessageBox.h"
#include "OperationSteps.h"
#include "WizardCommand.h"
#include "WizardState.h"

#include <QLineEdit>
#include <tuple>
#include <utility>

namespace {

// A new password that the camera would store but that no sign-in could carry whole.
constexpr int kMessagePasswordTooLong = 63;

QString qs(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

CDlgIdPwd::CDlgIdPwd(QWidget* mainWindow) : CWizardPage(mainWindow, QStringLiteral("DlgIdPwd")) {}

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

    if (state.changePassword == 1) {
        if (newPassword != confirmPassword) {
            if (QWidget* field = FindControl(kConfirmPassword))
                field->setFocus();
            ShowMessage(18, MessageBox::IconWarning);
            return;
        }
        if (newPassword == adminPassword) {
            if (QWidget* field = FindControl(kNewPassword))
                field->setFocus();
            ShowMessage(16, MessageBox::IconWarning);
            return;
        }
        if (!FitsSignIn(newPassword)) {
            if (QWidget* field = FindControl(kNewPassword))
                field->setFocus();
            ShowMessage(kMessagePasswordTooLong, MessageBox::IconWarning);
            return;
        }
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
