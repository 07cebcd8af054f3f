// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"

// The WEP keys (length, format, default key, four keys) or the WPA passphrase, whichever the
// wireless page's security mode needs. Next checks the key in use and only then keeps them.
class CDlgWirelessKey : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kExit = 1001,
        kBack = 1002,
        kNext = 1003,
        kKey1 = 1115,
        kKey2 = 1116,
        kKey3 = 1117,
        kKey4 = 1118,
        kPassphrase = 1119,
        kKeyLength = 1216,
        kKeyFormat = 1217,
        kDefaultKey = 1218,
    };

    explicit CDlgWirelessKey(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnDefaultKey();
    void OnNext();
    bool checkWep();
    bool checkPassphrase();
    void focusWithTextSelected(int id);
};
