// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"

// The login page: the camera's administrator ID and password, and optionally a new password
// that the network summary applies later. Next logs in; only a successful login goes on.
class CDlgIdPwd : public CWizardPage
{
    Q_OBJECT
public:
    // The controls built from the skin.
    enum ControlId : int
    {
        kAdminId = 1101,
        kAdminPassword = 1102,
        kNewId = 1103,
        kNewPassword = 1104,
        kConfirmPassword = 1105,
        kConfirmId = 1106,
        kChangeIdBox = 1201,
        kChangePasswordBox = 1202,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton,
        {SkinControlKind::Edit,     kAdminId,           u"ADMID"},
        {SkinControlKind::Edit,     kAdminPassword,     u"ADMPWD"},
        {SkinControlKind::Edit,     kNewId,             u"NEWID"},
        {SkinControlKind::Edit,     kConfirmId,         u"CHKID"},
        {SkinControlKind::Edit,     kNewPassword,       u"NEWPWD"},
        {SkinControlKind::Edit,     kConfirmPassword,   u"CHKPWD"},
        {SkinControlKind::CheckBox, kChangeIdBox,       u"CKBXID"},
        {SkinControlKind::CheckBox, kChangePasswordBox, u"CKBXPWD"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgIdPwd", kControls};

    explicit CDlgIdPwd(QWidget* mainWindow);

    bool Create(const std::filesystem::path& programFolder) override;
    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnChangeId();
    void OnChangePassword();
    void OnNext();

    int32_t m_errorDetail = 0;
};
