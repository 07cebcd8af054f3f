// SPDX-License-Identifier: Apache-2.0
#include "wizard/CWirelessSettingsPage.h"

#include "device/WirelessOptions.h"
#include "skin/MessageBox.h"
#include "skin/WizardCommand.h"

void CWirelessSettingsPage::startEditing()
{
    m_edit = m_links.state->wireless;
    setChecked(kOn, wirelessOn());
    setChecked(kOff, !wirelessOn());
    setChecked(kInfrastructure, m_edit.adHoc == 0);
    setChecked(kAdHoc, m_edit.adHoc != 0);
    setText(kSsid, QString::fromStdU16String(m_edit.ssid));
}

bool CWirelessSettingsPage::wirelessOn() const
{
    return WirelessOn(m_edit.wirelessEnable);
}

void CWirelessSettingsPage::OnWireless(bool on)
{
    m_edit.wirelessEnable = on ? u"1" : u"0";
    setChecked(kOn, on);
    setChecked(kOff, !on);
    updateEnabling();
}

bool CWirelessSettingsPage::ssidAccepted()
{
    if (!wirelessOn() || CheckSsid(text(kSsid).toStdU16String()) == 0)
        return true;
    if (QWidget* field = FindControl(kSsid))
        field->setFocus();
    ShowMessage(kMessageBadSsid, MessageBox::IconWarning);
    return false;
}

void CWirelessSettingsPage::takeSsid()
{
    std::u16string ssid = text(kSsid).toStdU16String();
    if (CheckSsid(ssid) != 0) {
        ssid.clear();
        setText(kSsid, QString());
    }
    m_edit.ssid = ssid;
}

void CWirelessSettingsPage::finish()
{
    m_links.state->wireless = m_edit;
    post(WIZ_NEXT);
}

void CWirelessSettingsPage::OnCommand(int id, int code)
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
    default:
        CWizardPage::OnCommand(id, code);
        break;
    }
}
