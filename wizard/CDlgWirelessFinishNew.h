// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CSummaryPage.h"

// The summary of the account, address and one-page wireless settings; Next applies them.
class CDlgWirelessFinishNew : public CSummaryPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kKey = 1115,
        kAuthentication = 1120,
        kEncryption = 1121,
        kAuthenticationLabel = 1318,
        kEncryptionLabel = 1319,
    };
    static constexpr SkinControlSpec kButtons[] = {kExitButton, kBackButton, kNextButton};
    // clang-format off
    static constexpr SkinControlSpec kSecurityControls[] = {
        {SkinControlKind::Edit,    kAuthentication,      u"AUTH"},
        {SkinControlKind::Edit,    kEncryption,          u"ENCRYPT"},
        {SkinControlKind::Edit,    kKey,                 u"KEY"},
        {SkinControlKind::PicText, kAuthenticationLabel, u"LABAUTH"},
        {SkinControlKind::PicText, kEncryptionLabel,     u"LABENCRYPT"},
    };
    // clang-format on
    static constexpr auto kControls =
        JoinControls(kButtons, kAccountAndAddressControls, kWirelessControls, kSecurityControls);
    static constexpr SkinPageSpec kSkinPage{u"DlgWirelessFinishNEW", kControls};

    explicit CDlgWirelessFinishNew(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
