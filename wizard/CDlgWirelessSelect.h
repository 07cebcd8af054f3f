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
        kExit = 1001,
        kBack = 1002,
        kNext = 1003,
        kWps = 1219,
        kStandard = 1220,
    };

    explicit CDlgWirelessSelect(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void choose(bool wps);
};
