#include "CDlgWireless.h"

#include "MessageBox.h"
#include "ModelRules.h"
#include "WirelessOptions.h"
#include "WizardCommand.h"

CDlgWireless::CDlgWireless(QWidget* mainWindow) : CWizardPage(mainWindow, QStringLiteral("DlgWireless")) {}

void CDlgWireless::OnInitPage()
{
    m_edit = m_links.state->wireless;
    m_wepAuthentication = m_edit.authentication;
    setText(kSsid, QString::fromStdU16String(m_edit.ssid));
    fillList(kChannel, Channels(m_edit.channelRange, true));
    if (!selectType(kChannel, m_edit.channel))
        selectType(kChannel, AllowedChannels(m_edit.channelRange).front());
    fillSecurity();
    takeSecurity();
    setChecked(kInfrastructure, m_edit.adHoc == 0);
    setChecked(kAdHoc, m_edit.adHoc != 0);
    setChecked(kOn, WirelessOn(m_edit.wirelessEnable));
    setChecked(kOff, !WirelessOn(m_edit.wirelessEnable));
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
        selectType(kSecurity, 0);
}

// The chosen security mode's encryption, and its authentication (WEP keeps the last one).
void CDlgWireless::takeSecurity()
{
    const int32_t mode = selectedType(kSecurity).value_or(0);
    m_edit.encryption = SecurityModeEncryption(mode);
    m_edit.authentication = m_edit.encryption == 1 ? m_wepAuthentication : m_edit.encryption == 0 ? 0 : 5;
}

void CDlgWireless::applySecurityRule()
{
    const AuthenticationRadios radios = SecurityRule(m_edit.encryption, m_edit.authentication, k7zAdHoc());
    m_edit.authentication = radios.authentication;
    if (m_edit.encryption == 1)
        m_wepAuthentication = radios.authentication;
    m_authenticationEnabled = radios.enabled;
    setChecked(kOpen, radios.authentication == 0);
    setChecked(kShared, radios.authentication == 1);
    setChecked(kBoth, radios.authentication == 2);
    updateEnabling();
}

void CDlgWireless::updateEnabling()
{
    const bool on = WirelessOn(m_edit.wirelessEnable);
    for (int id : {kSsid, kSecurity, kInfrastructure, kAdHoc})
        enableControl(id, on);
    enableControl(kChannel, on && m_edit.adHoc != 0);
    for (int id : {kOpen, kShared, kBoth})
        enableControl(id, on && m_authenticationEnabled);
}

void CDlgWireless::OnWireless(bool on)
{
    m_edit.wirelessEnable = on ? u"1" : u"0";
    setChecked(kOn, on);
    setChecked(kOff, !on);
    updateEnabling();
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
    if (m_edit.encryption != 1 || !m_authenticationEnabled)
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
    std::u16string ssid = text(kSsid).toStdU16String();
    if (CheckSsid(ssid) != 0) {
        if (WirelessOn(m_edit.wirelessEnable)) {
            if (QWidget* field = FindControl(kSsid))
                field->setFocus();
            ShowMessage(kMessageBadSsid, MessageBox::IconWarning);
            return;
        }
        // Off, a name the camera could not take is dropped rather than sent.
        ssid.clear();
        setText(kSsid, QString());
    }
    m_edit.ssid = ssid;
    m_edit.channel = selectedType(kChannel).value_or(m_edit.channel);
    takeSecurity();
    m_links.state->wireless = m_edit;
    post(WIZ_NEXT);
}

void CDlgWireless::OnCommand(int id, int code)
{
    switch (id) {
    case kOn:
    case kOff:
        OnWireless(id == kOn);
        break;
    case kInfrastructure:
    case kAdHoc:
        OnMode(id == kAdHoc);
        break;
    case kOpen:
    case kShared:
    case kBoth:
        OnAuthentication(id - kOpen);
        break;
    case kSecurity:
        OnSecurity();
        break;
    case kNext:
        OnNext();
        break;
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
