// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWirelessFinishNew.h"

#include "device/ApplySequence.h"
#include "device/WirelessOptions.h"
#include "device/WizardState.h"

CDlgWirelessFinishNew::CDlgWirelessFinishNew(QWidget* mainWindow) : CSummaryPage(mainWindow, kSkinPage) {}

void CDlgWirelessFinishNew::OnInitPage()
{
    fillAccountAndAddresses(QStringLiteral("Auto"));
    const WirelessSettings& w = m_links.state->wireless;
    setText(kWireless, WirelessOn(w.wirelessEnable) ? QStringLiteral("Enable") : QStringLiteral("Disable"));
    setText(kSsid, QString::fromStdU16String(w.ssid));
    setText(kChannel, w.adHoc != 0 ? QString::number(w.channel) : QStringLiteral("Auto"));
    setText(kAuthentication, QString::fromStdU16String(AuthenticationName(w.authentication)));
    setText(kEncryption, QString::fromStdU16String(EncryptionName(w.encryption)));
    std::u16string key;
    if (KeyOf(w.encryption) == WirelessKey::WepKey && w.wepDefaultKey >= 0 && w.wepDefaultKey < 4)
        key = w.wepKeys[w.wepDefaultKey];
    else if (KeyOf(w.encryption) == WirelessKey::Passphrase)
        key = w.passphrase;
    setText(kKey, QString::fromStdU16String(key));
    finishFields();
}

void CDlgWirelessFinishNew::OnCommand(int id, int code)
{
    if (id == kNext)
        runApply(ApplyWireless);
    else
        CSummaryPage::OnCommand(id, code);
}
