// SPDX-License-Identifier: Apache-2.0
#include "wizard/CDlgWireless.h"

#include "device/ModelRules.h"
#include "device/WirelessOptions.h"

#include <utility>

namespace {

// The WEP authentication radios and the authentication each stands for.
constexpr std::pair<int, Authentication::Code> kRadios[] = {
    {CDlgWireless::kOpen, Authentication::kOpen},
    {CDlgWireless::kShared, Authentication::kShared},
    {CDlgWireless::kBoth, Authentication::kBoth},
};

} // namespace

CDlgWireless::CDlgWireless(QWidget* mainWindow) : CWirelessSettingsPage(mainWindow, kSkinPage) {}

void CDlgWireless::OnInitPage()
{
    startEditing();
    m_wepAuthentication = m_edit.authentication;
    fillList(kChannel, Channels(m_edit.channelRange, true));
    if (!selectType(kChannel, m_edit.channel))
        selectType(kChannel, AllowedChannels(m_edit.channelRange).front());
    fillSecurity();
    takeSecurity();
    applySecurityRule();
    setPageFontOn({kSsid, kChannel, kSecurity, kOn, kOff, kInfrastructure, kAdHoc, kOpen, kShared, kBoth});
}

bool CDlgWireless::k7zAdHoc() const
{
    return m_edit.adHoc != 0 && IsK7ZModel(m_links.state->camera.model);
}

// The security list for the mode, showing the chosen encryption where the list has it.
void CDlgWireless::fillSecurity()
{
    fillList(kSecurity, SecurityModes(m_edit.encryptionCaps, m_edit.authenticationCaps, m_edit.adHoc == 0));
    if (!selectType(kSecurity, SecurityModeOf(m_edit.encryption)))
        selectType(kSecurity, SecurityMode::kNone);
}

// The chosen security mode's encryption, and its authentication (WEP keeps the last one).
void CDlgWireless::takeSecurity()
{
    const int32_t mode = selectedType(kSecurity).value_or(SecurityMode::kNone);
    m_edit.encryption = SecurityModeEncryption(mode);
    if (m_edit.encryption == Encryption::kWep)
        m_edit.authentication = m_wepAuthentication;
    else
        m_edit.authentication =
            m_edit.encryption == Encryption::kNone ? Authentication::kOpen : Authentication::kWpaWpa2;
}

void CDlgWireless::applySecurityRule()
{
    const AuthenticationRadios radios = SecurityRule(m_edit.encryption, m_edit.authentication, k7zAdHoc());
    m_edit.authentication = radios.authentication;
    if (m_edit.encryption == Encryption::kWep)
        m_wepAuthentication = radios.authentication;
    m_authenticationEnabled = radios.enabled;
    for (const auto& [id, authentication] : kRadios)
        setChecked(id, radios.authentication == authentication);
    updateEnabling();
}

void CDlgWireless::updateEnabling()
{
    const bool on = wirelessOn();
    for (int id : std::initializer_list<int>{kSsid, kSecurity, kInfrastructure, kAdHoc})
        enableControl(id, on);
    enableControl(kChannel, on && m_edit.adHoc != 0);
    for (int id : std::initializer_list<int>{kOpen, kShared, kBoth})
        enableControl(id, on && m_authenticationEnabled);
}

void CDlgWireless::OnMode(bool adHoc)
{
    m_edit.adHoc = adHoc ? 1 : 0;
    setChecked(kInfrastructure, !adHoc);
    setChecked(kAdHoc, adHoc);
    // Ad hoc networks have no WPA: a WPA choice falls back to the first entry.
    fillSecurity();
    takeSecurity();
    applySecurityRule();
}

void CDlgWireless::OnAuthentication(int32_t authentication)
{
    if (m_edit.encryption != Encryption::kWep || !m_authenticationEnabled)
        return;
    m_wepAuthentication = authentication;
    m_edit.authentication = authentication;
    applySecurityRule();
}

void CDlgWireless::OnSecurity()
{
    takeSecurity();
    applySecurityRule();
}

void CDlgWireless::OnNext()
{
    if (!ssidAccepted())
        return;
    takeSsid();
    m_edit.channel = selectedType(kChannel).value_or(m_edit.channel);
    takeSecurity();
    finish();
}

void CDlgWireless::OnCommand(int id, int code)
{
    switch (id) {
    case kOpen:
    case kShared:
    case kBoth:
        for (const auto& [radio, authentication] : kRadios) {
            if (radio == id)
                OnAuthentication(authentication);
        }
        break;
    case kSecurity:
        OnSecurity();
        break;
    case kNext:
        OnNext();
        break;
    default:
        CWirelessSettingsPage::OnCommand(id, code);
        break;
    }
}
