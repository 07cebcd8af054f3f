#include "CDlgNetWorkFinish.h"

#include "CDeviceManager.h"
#include "DeviceOperations.h"
#include "WaitCursor.h"
#include "WizardCommand.h"
#include "WizardState.h"

#include <QLineEdit>
#include <QPalette>

namespace {

enum ControlId : int
{
    kExit = 1001,
    kBack = 1002,
    kNext = 1003,
    kAdminId = 1101,
    kAdminPassword = 1102,
    kIp = 1106,
    kMask = 1107,
    kGateway = 1108,
    kDns1 = 1109,
    kDns2 = 1110,
};

constexpr int kSummaryEdits[] = {kAdminId, kAdminPassword, kIp, kMask, kGateway, kDns1, kDns2};

// Models that only take new settings after a restart.
bool NeedsReset(const std::u16string& model)
{
    for (std::u16string_view family : {u"K5Q", u"K7Z", u"K3W"}) {
        if (model.find(family) != std::u16string::npos)
            return true;
    }
    return false;
}

} // namespace

CDlgNetWorkFinish::CDlgNetWorkFinish(QWidget* mainWindow)
    : CWizardPage(mainWindow, QStringLiteral("DlgNetWorkFinish"))
{
}

bool CDlgNetWorkFinish::Create(const std::filesystem::path& programFolder)
{
    if (!CWizardPage::Create(programFolder))
        return false;
    // The page only shows what will be applied, but the values must stay easy to read: disabled
    // fields keep the normal text colour instead of the faint grey of a control that does not count.
    for (int id : kSummaryEdits) {
        QWidget* field = FindControl(id);
        if (!field)
            continue;
        QPalette palette = field->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
        field->setPalette(palette);
        field->setEnabled(false);
    }
    return true;
}

void CDlgNetWorkFinish::OnInitPage()
{
    if (m_links.primary)
        m_links.primary->SetTemplateFolder(templateFolder());
    const WizardState& state = *m_links.state;
    const CameraInfo& camera = state.camera;
    const bool dhcp = camera.dhcp == 1;
    const std::pair<int, const std::u16string*> addresses[] = {
        {kIp, &camera.ip},     {kMask, &camera.mask}, {kGateway, &camera.gateway},
        {kDns1, &camera.dns1}, {kDns2, &camera.dns2},
    };
    for (const auto& [id, value] : addresses) {
        if (QLineEdit* field = edit(id))
            field->setText(dhcp ? QStringLiteral("Auto") : QString::fromStdU16String(*value));
    }
    if (QLineEdit* field = edit(kAdminId))
        field->setText(QString::fromStdU16String(state.adminId));
    if (QLineEdit* field = edit(kAdminPassword))
        field->setText(QString::fromStdU16String(state.changePassword == 1 ? state.confirmPassword
                                                                           : state.adminPassword));
    setPageFontOn({kAdminId, kAdminPassword, kIp, kMask, kGateway, kDns1, kDns2, 1309, 1310, 1304, 1305, 1306,
                   1307, 1308});
}

int CDlgNetWorkFinish::Apply()
{
    WizardState& state = *m_links.state;
    CDeviceManager& manager = *m_links.primary;
    manager.TargetIp = state.camera.ipCopy;
    state.applyStatus = 0;
    OperationContext context{state, manager};
    auto failed = [&](int code) {
        m_errorDetail = context.errorDetail;
        return code != OperationResult::kSuccess;
    };
    if (state.changeId == 1 || state.changePassword == 1) {
        const int code = ChangeIDPWD(context);
        if (failed(code))
            return code;
        // The following operations sign in with the new password.
        state.adminPassword = state.newPassword;
    }
    int code = SetBasic(context);
    if (failed(code))
        return code;
    if (NeedsReset(state.camera.model)) {
        code = Reset(context);
        if (failed(code))
            return code;
    }
    return OperationResult::kSuccess;
}

void CDlgNetWorkFinish::OnApply()
{
    if (!m_links.state || !m_links.primary)
        return;
    WaitCursor wait;
    const int code = Apply();
    wait.release();
    if (code != OperationResult::kSuccess) {
        ReportFailure(code, m_errorDetail);
        return;
    }
    post(WIZ_NEXT);
}

void CDlgNetWorkFinish::OnCommand(int id, int code)
{
    switch (id) {
    case kNext:
        OnApply();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
