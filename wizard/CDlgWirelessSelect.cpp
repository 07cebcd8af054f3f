// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWirelessSelect.h"

#include "device/WizardState.h"
#include "skin/WizardCommand.h"

CDlgWirelessSelect::CDlgWirelessSelect(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage) {}

void CDlgWirelessSelect::OnInitPage()
{
    const bool wps = m_links.state->wpsChosen == 1;
    setChecked(kWps, wps);
    setChecked(kStandard, !wps);
    setPageFontOn({kWps, kStandard});
}

void CDlgWirelessSelect::choose(bool wps)
{
    m_links.state->wpsChosen = wps ? 1 : 0;
    setChecked(kWps, wps);
    setChecked(kStandard, !wps);
}

void CDlgWirelessSelect::OnCommand(int id, int code)
{
    switch (id) {
    case kWps:
        choose(true);
        break;
    case kStandard:
        choose(false);
        break;
    case kNext:
        post(WIZ_NEXT);
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
