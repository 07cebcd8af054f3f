// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWirelessFinish.h"

#include "device/ApplySequence.h"
#include "device/WirelessOptions.h"
#include "device/WizardState.h"

CDlgWirelessFinish::CDlgWirelessFinish(QWidget* mainWindow) : CSummaryPage(mainWindow, kSkinPage) {}

void CDlgWirelessFinish::OnInitPage()
{
    fillAccountAndAddresses(QString());
    const WirelessSettings& w = m_links.state->wireless;
    setText(kWireless, WirelessOn(w.wirelessEnable) ? QStringLiteral("Enable") : QStringLiteral("Disable"));
    setText(kSsid, QString::fromStdU16String(w.ssid));
    setText(kChannel, QString::number(w.channel));
    const int keys[] = {kKey1, kKey2, kKey3, kKey4};
    for (size_t i = 0; i < std::size(keys); ++i)
        setText(keys[i], QString::fromStdU16String(w.wepKeys[i]));
    setText(kPassphrase, QString::fromStdU16String(w.passphrase));
    finishFields();
}

void CDlgWirelessFinish::OnCommand(int id, int code)
{
    if (id == kNext)
        runApply(ApplyWireless);
    else
        CSummaryPage::OnCommand(id, code);
}
