// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWirelessSettingsPage.h"

// The standard wireless page: on/off, SSID, infrastructure or ad hoc, channel, security mode
// and WEP authentication.
class CDlgWireless : public CWirelessSettingsPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kOpen = 1211,
        kShared = 1212,
        kBoth = 1213,
        kSecurity = 1215,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton, kSsidField, kChannelList,
        {SkinControlKind::DropDown, kSecurity, u"SecurityMode"},
        kOnRadio, kOffRadio, kInfrastructureRadio, kAdHocRadio,
        {SkinControlKind::Radio,    kOpen,     u"Open",   u"Open"},
        {SkinControlKind::Radio,    kShared,   u"Shared", u"Shared"},
        {SkinControlKind::Radio,    kBoth,     u"Both",   u"Both"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgWireless", kControls};

    explicit CDlgWireless(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnMode(bool adHoc) override;
    void OnAuthentication(int32_t authentication);
    void OnSecurity();
    void OnNext();
    void fillSecurity();
    void takeSecurity();
    void applySecurityRule();
    void updateEnabling() override;
    bool k7zAdHoc() const;

    int32_t m_wepAuthentication = 0; // the WEP authentication chosen last
    bool m_authenticationEnabled = false;
};
