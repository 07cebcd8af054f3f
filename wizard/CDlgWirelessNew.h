// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWirelessSettingsPage.h"

// The one-page wireless set-up: on/off, SSID, infrastructure or ad hoc, channel,
// authentication, encryption and one key field (the default WEP key or the passphrase).
// Authentication and encryption are remembered per network mode while the page is open.
class CDlgWirelessNew : public CWirelessSettingsPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kKey = 1115,
        kAuthentication = 1219,
        kEncryption = 1220,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton, kSsidField,
        {SkinControlKind::Edit,     kKey,            u"KEY"},
        kChannelList, kOnRadio, kOffRadio,
        {SkinControlKind::DropDown, kAuthentication, u"Authentication"},
        {SkinControlKind::DropDown, kEncryption,     u"Encryption"},
        kInfrastructureRadio, kAdHocRadio,
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgWirelessNEW", kControls};

    explicit CDlgWirelessNew(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnMode(bool adHoc) override;
    void OnAuthentication();
    void OnEncryption();
    void OnKeyEdited();
    void OnNext();
    int keyMessage() const;
    bool keyAccepted();
    void takeKey();
    void fillForMode();
    void fillEncryptions();
    void showKey();
    void updateEnabling() override;
    std::u16string& wepKeySlot();

    std::u16string m_keyText;
    bool m_keyFilled = false;
    int32_t m_otherAuthentication = 0;
    int32_t m_otherEncryption = 0;
};
