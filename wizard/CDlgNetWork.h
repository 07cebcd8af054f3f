// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"

// DHCP or a static address with mask, gateway and two DNS servers. Next checks the static
// values and keeps them in the wizard state; Back keeps the state as it was.
class CDlgNetWork : public CWizardPage
{
    Q_OBJECT
public:
    // The controls built from the skin.
    enum ControlId : int
    {
        kIp = 1106,
        kMask = 1107,
        kGateway = 1108,
        kDns1 = 1109,
        kDns2 = 1110,
        kDhcpOn = 1203,
        kDhcpOff = 1204,
        kIpLabel = 1304,
        kMaskLabel = 1305,
        kGatewayLabel = 1306,
        kDns1Label = 1307,
        kDns2Label = 1308,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton,
        {SkinControlKind::PicText, kIpLabel,      u"LABIPADDR"},
        {SkinControlKind::PicText, kMaskLabel,    u"LABSUBMASK"},
        {SkinControlKind::PicText, kGatewayLabel, u"LABGATEWAY"},
        {SkinControlKind::PicText, kDns1Label,    u"LABPRIDNS"},
        {SkinControlKind::PicText, kDns2Label,    u"LABSECDNS"},
        {SkinControlKind::Edit,    kIp,           u"IPADDR"},
        {SkinControlKind::Edit,    kMask,         u"SUBMASK"},
        {SkinControlKind::Edit,    kGateway,      u"GATEWAY"},
        {SkinControlKind::Edit,    kDns1,         u"PRIDNS"},
        {SkinControlKind::Edit,    kDns2,         u"SECDNS"},
        {SkinControlKind::Radio,   kDhcpOn,       u"DHCPON",  u"enable"},
        {SkinControlKind::Radio,   kDhcpOff,      u"DHCPOFF", u"disable"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgNetWork", kControls};

    explicit CDlgNetWork(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnDhcp();
    void OnStatic();
    void OnNext();
    void enableAddressEdits(bool enabled);
    void fillAddressEdits(bool empty);
    void enableFlowButtons(bool enabled);
};
