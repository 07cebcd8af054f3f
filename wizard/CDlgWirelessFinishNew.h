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
        kExit = 1001,
        kBack = 1002,
        kWireless = 1111,
        kSsid = 1113,
        kChannel = 1114,
        kKey = 1115,
        kAuthentication = 1120,
        kEncryption = 1121,
    };

    explicit CDlgWirelessFinishNew(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
