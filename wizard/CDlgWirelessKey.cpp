// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWirelessKey.h"

#include "device/WirelessOptions.h"
#include "device/WizardState.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"

#include <QLineEdit>

namespace {

constexpr int kKeys[] = {CDlgWirelessKey::kKey1, CDlgWirelessKey::kKey2, CDlgWirelessKey::kKey3,
                         CDlgWirelessKey::kKey4};

} // namespace

CDlgWirelessKey::CDlgWirelessKey(QWidget* mainWindow) : CWizardPage(mainWindow, kSkinPage) {}

void CDlgWirelessKey::OnInitPage()
{
    const WirelessSettings& w = m_links.state->wireless;
    const std::pair<int, std::pair<WirelessOptionList, int32_t>> lists[] = {
        {kKeyLength, {KeyLengths(w.wepKeyLengthCaps), w.wepKeyLength}},
        {kKeyFormat, {KeyFormats(w.wepKeyFormatCaps), w.wepKeyFormat}},
        {kDefaultKey, {DefaultKeys(w.wepDefaultKeyCaps), w.wepDefaultKey}},
    };
    for (const auto& [id, entries] : lists) {
        fillList(id, entries.first);
        if (!selectType(id, entries.second))
            selectType(id, entries.first.front().type);
    }
    for (size_t i = 0; i < std::size(kKeys); ++i)
        setText(kKeys[i], QString::fromStdU16String(w.wepKeys[i]));
    setText(kPassphrase, QString::fromStdU16String(w.passphrase));

    const bool on = WirelessOn(w.wirelessEnable);
    for (int id : {kKeyLength, kKeyFormat, kDefaultKey, kKey1, kKey2, kKey3, kKey4})
        enableControl(id, on && KeyOf(w.encryption) == WirelessKey::WepKey);
    enableControl(kPassphrase, on && KeyOf(w.encryption) == WirelessKey::Passphrase);
    setPageFontOn({kKeyLength, kKeyFormat, kDefaultKey, kKey1, kKey2, kKey3, kKey4, kPassphrase});
}

void CDlgWirelessKey::focusWithTextSelected(int id)
{
    QWidget* control = FindControl(id);
    if (!control)
        return;
    control->setFocus();
    if (auto* field = qobject_cast<QLineEdit*>(control))
        field->selectAll();
}

void CDlgWirelessKey::OnDefaultKey()
{
    const int32_t key = selectedType(kDefaultKey).value_or(0);
    if (key >= 0 && key < 4)
        focusWithTextSelected(kKeys[key]);
}

bool CDlgWirelessKey::checkWep()
{
    const int32_t length = selectedType(kKeyLength).value_or(WepKeyLength::kBits64);
    const int32_t format = selectedType(kKeyFormat).value_or(WepKeyFormat::kAscii);
    const int32_t defaultKey = selectedType(kDefaultKey).value_or(0);
    const int keyId = defaultKey >= 0 && defaultKey < 4 ? kKeys[defaultKey] : kKey1;
    const int message = CheckWepKey(length, format, text(keyId).toStdU16String());
    if (message != 0) {
        // A 256-bit key is refused whatever is typed: the length is what must change.
        focusWithTextSelected(message == kMessageWepKey256 ? kKeyLength : keyId);
        ShowMessage(message, MessageBox::IconWarning);
        return false;
    }
    WirelessSettings& w = m_links.state->wireless;
    w.wepDefaultKey = defaultKey;
    w.wepKeyLength = length;
    w.wepKeyFormat = format;
    for (size_t i = 0; i < std::size(kKeys); ++i)
        w.wepKeys[i] = text(kKeys[i]).toStdU16String();
    return true;
}

bool CDlgWirelessKey::checkPassphrase()
{
    const std::u16string passphrase = text(kPassphrase).toStdU16String();
    if (const int message = CheckPassphrase(passphrase)) {
        focusWithTextSelected(kPassphrase);
        ShowMessage(message, MessageBox::IconWarning);
        return false;
    }
    m_links.state->wireless.passphrase = passphrase;
    return true;
}

void CDlgWirelessKey::OnNext()
{
    const WirelessSettings& w = m_links.state->wireless;
    // With wireless off the keys are neither checked nor kept.
    if (WirelessOn(w.wirelessEnable)) {
        if (KeyOf(w.encryption) == WirelessKey::WepKey && !checkWep())
            return;
        if (KeyOf(w.encryption) == WirelessKey::Passphrase && !checkPassphrase())
            return;
    }
    post(WIZ_NEXT);
}

void CDlgWirelessKey::OnCommand(int id, int code)
{
    switch (id) {
    case kDefaultKey:
        OnDefaultKey();
        break;
    case kNext:
        OnNext();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
