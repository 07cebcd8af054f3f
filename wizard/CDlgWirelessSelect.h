// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"

// WPS or the standard wireless settings; Next goes the chosen way.
class CDlgWirelessSelect : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kWps = 1219,
        kStandard = 1220,
    };
    static constexpr SkinControlSpec kControls[] = {
        kExitButton,
        kBackButton,
        kNextButton,
        {SkinControlKind::Radio, kWps, u"WPS", u"WPS"},
        {SkinControlKind::Radio, kStandard, u"Wireless", u"Standard wireless settings"},
    };
    static constexpr SkinPageSpec kSkinPage{u"DlgWirelessSele", kControls};

    explicit CDlgWirelessSelect(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void choose(bool wps);
};
