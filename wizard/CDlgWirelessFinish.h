// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CSummaryPage.h"

// The summary of the account, address and standard wireless settings; Next applies them.
class CDlgWirelessFinish : public CSummaryPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kBack = 1002,
        kWireless = 1111,
        kSsid = 1113,
        kChannel = 1114,
        kKey1 = 1115,
        kKey2 = 1116,
        kKey3 = 1117,
        kKey4 = 1118,
        kPassphrase = 1119,
    };

    explicit CDlgWirelessFinish(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;
};
