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
        kExit = 1001,
        kBack = 1002,
        kNext = 1003,
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
