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
        kKey1 = 1115,
        kKey2 = 1116,
        kKey3 = 1117,
        kKey4 = 1118,
        kPassphrase = 1119,
        kKeyLength = 1216,
        kKeyFormat = 1217,
        kDefaultKey = 1218,
    };
    // clang-format off
    static constexpr SkinControlSpec kControls[] = {
        kExitButton, kBackButton, kNextButton,
        {SkinControlKind::DropDown, kKeyLength,  u"KEYLEN"},
        {SkinControlKind::DropDown, kKeyFormat,  u"KEYFORMAT"},
        {SkinControlKind::DropDown, kDefaultKey, u"DEFKEY"},
        {SkinControlKind::Edit,     kKey1,       u"KEY1"},
        {SkinControlKind::Edit,     kKey2,       u"KEY2"},
        {SkinControlKind::Edit,     kKey3,       u"KEY3"},
        {SkinControlKind::Edit,     kKey4,       u"KEY4"},
        {SkinControlKind::Edit,     kPassphrase, u"PKEY"},
    };
    // clang-format on
    static constexpr SkinPageSpec kSkinPage{u"DlgWirelessKey", kControls};

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
