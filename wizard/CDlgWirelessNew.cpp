// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWirelessNew.h"

#include "device/WirelessOptions.h"
#include "skin/MessageBox.h"

#include <QLineEdit>

CDlgWirelessNew::CDlgWirelessNew(QWidget* mainWindow) : CWirelessSettingsPage(mainWindow, kSkinPage) {}

void CDlgWirelessNew::OnInitPage()
{
    startEditing();
    setPageFontOn({kSsid, kChannel, kKey, kOn, kOff, kInfrastructure, kAdHoc, kAuthentication, kEncryption});
    // The camera's own code may be one that no list has: any code above WEP starts from the
    // passphrase.
    if (m_edit.encryption == Encryption::kWep)
        m_keyText = wepKeySlot();
    else if (m_edit.encryption > Encryption::kWep)
        m_keyText = m_edit.passphrase;
    fillForMode();
    m_keyFilled = true;
}

std::u16string& CDlgWirelessNew::wepKeySlot()
{
    return m_edit.wepKeys[static_cast<size_t>(std::clamp(m_edit.wepDefaultKey, 0, 3))];
}

// Channel and authentication lists for the mode, the chosen entries selected, then the
// encryption list that goes with the authentication.
void CDlgWirelessNew::fillForMode()
{
    const bool adHoc = m_edit.adHoc != 0;
    const WirelessOptionList channels = Channels(m_edit.channelRange, adHoc);
    fillList(kChannel, channels);
    if (!selectType(kChannel, m_edit.channel))
        selectType(kChannel, channels.front().type);
    const WirelessOptionList authentications = Authentications(m_edit.authenticationCaps, adHoc);
    fillList(kAuthentication, authentications);
    if (!selectType(kAuthentication, m_edit.authentication)) {
        // What the camera had is not offered here: show a choice that is.
        m_edit.authentication = authentications.front().type;
        selectType(kAuthentication, m_edit.authentication);
    }
    fillEncryptions();
}

void CDlgWirelessNew::fillEncryptions()
{
    const WirelessOptionList encryptions = Encryptions(m_edit.authentication, m_edit.encryptionCaps);
    fillList(kEncryption, encryptions);
    if (!selectType(kEncryption, m_edit.encryption)) {
        m_edit.encryption = encryptions.empty() ? int32_t{Encryption::kNone} : encryptions.front().type;
        selectType(kEncryption, m_edit.encryption);
    }
    showKey();
}

// The key field holds as much of the key text as the encryption's key can have.
void CDlgWirelessNew::showKey()
{
    auto* field = qobject_cast<QLineEdit*>(FindControl(kKey));
    const int limit = KeyLimit(m_edit.encryption);
    if (field) {
        const QSignalBlocker quiet(field);
        field->setMaxLength(limit > 0 ? limit : 32767);
        field->setText(limit > 0 ? QString::fromStdU16String(m_keyText).left(limit) : QString());
    }
    if (limit > 0 && m_keyText.size() > static_cast<size_t>(limit))
        m_keyText.resize(static_cast<size_t>(limit));
    updateEnabling();
}

void CDlgWirelessNew::updateEnabling()
{
    const bool on = wirelessOn();
    for (int id :
         std::initializer_list<int>{kSsid, kChannel, kAuthentication, kEncryption, kInfrastructure, kAdHoc})
        enableControl(id, on);
    enableControl(kKey, on && m_edit.encryption != Encryption::kNone);
}

void CDlgWirelessNew::OnMode(bool adHoc)
{
    if ((m_edit.adHoc != 0) == adHoc)
        return;
    m_edit.adHoc = adHoc ? 1 : 0;
    setChecked(kInfrastructure, !adHoc);
    setChecked(kAdHoc, adHoc);
    std::swap(m_edit.authentication, m_otherAuthentication);
    std::swap(m_edit.encryption, m_otherEncryption);
    fillForMode();
}

void CDlgWirelessNew::OnAuthentication()
{
    m_edit.authentication = selectedType(kAuthentication).value_or(m_edit.authentication);
    fillEncryptions();
}

void CDlgWirelessNew::OnEncryption()
{
    m_edit.encryption = selectedType(kEncryption).value_or(m_edit.encryption);
    showKey();
}

void CDlgWirelessNew::OnKeyEdited()
{
    if (m_keyFilled)
        m_keyText = text(kKey).toStdU16String();
}

// The message that refuses the typed key for the chosen encryption; 0 when the camera can take
// it, and always 0 with no key in use.
int CDlgWirelessNew::keyMessage() const
{
    const std::u16string key = text(kKey).toStdU16String();
    switch (KeyOf(m_edit.encryption)) {
    case WirelessKey::WepKey:
        return CheckWepKeyByLength(key).message;
    case WirelessKey::Passphrase:
        return CheckPassphrase(key);
    case WirelessKey::None:
        break;
    }
    return 0;
}

// With wireless on a key the camera could not take is refused. Changes nothing.
bool CDlgWirelessNew::keyAccepted()
{
    const int message = keyMessage();
    if (message == 0 || !wirelessOn())
        return true;
    if (QWidget* field = FindControl(kKey))
        field->setFocus();
    ShowMessage(message, MessageBox::IconWarning);
    return false;
}

// Keeps the key typed in the default WEP key's slot or as the passphrase. With wireless off a
// key the camera could not take is dropped instead.
void CDlgWirelessNew::takeKey()
{
    const std::u16string key = text(kKey).toStdU16String();
    switch (KeyOf(m_edit.encryption)) {
    case WirelessKey::WepKey: {
        const WepKeyShape shape = CheckWepKeyByLength(key);
        if (shape.message == 0) {
            m_edit.wepKeyLength = shape.length;
            m_edit.wepKeyFormat = shape.format;
        }
        wepKeySlot() = shape.message == 0 ? key : std::u16string();
        break;
    }
    case WirelessKey::Passphrase:
        m_edit.passphrase = CheckPassphrase(key) == 0 ? key : std::u16string();
        break;
    case WirelessKey::None:
        break;
    }
}

// Everything is checked before anything is kept: what a refused Next took would otherwise reach
// the camera with a later Next, whatever was chosen in between.
void CDlgWirelessNew::OnNext()
{
    if (!ssidAccepted() || !keyAccepted())
        return;
    if (m_edit.adHoc != 0)
        m_edit.channel = selectedType(kChannel).value_or(m_edit.channel);
    takeSsid();
    takeKey();
    finish();
}

void CDlgWirelessNew::OnCommand(int id, int code)
{
    switch (id) {
    case kAuthentication:
        OnAuthentication();
        break;
    case kEncryption:
        OnEncryption();
        break;
    case kChannel:
        if (m_edit.adHoc != 0)
            m_edit.channel = selectedType(kChannel).value_or(m_edit.channel);
        break;
    case kKey:
        OnKeyEdited();
        break;
    case kNext:
        OnNext();
        break;
    default:
        CWirelessSettingsPage::OnCommand(id, code);
        break;
    }
}
