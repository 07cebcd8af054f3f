// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/WizardState.h"
#include "wizard/CWizardPage.h"

// What the two wireless settings pages share: the controls both have, a working copy of the
// wireless settings that reaches the wizard state only on a Next that passes, and the SSID rule.
class CWirelessSettingsPage : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kSsid = 1113,
        kChannel = 1114,
        kOn = 1207,
        kOff = 1208,
        kInfrastructure = 1209,
        kAdHoc = 1210,
    };
    // The rows of both pages' tables.
    static constexpr SkinControlSpec kSsidField{SkinControlKind::Edit, kSsid, u"SSID"};
    static constexpr SkinControlSpec kChannelList{SkinControlKind::DropDown, kChannel, u"CHANNEL"};
    static constexpr SkinControlSpec kOnRadio{SkinControlKind::Radio, kOn, u"WLanON", u"Enable"};
    static constexpr SkinControlSpec kOffRadio{SkinControlKind::Radio, kOff, u"WLanOFF", u"Disable"};
    static constexpr SkinControlSpec kInfrastructureRadio{SkinControlKind::Radio, kInfrastructure,
                                                          u"Infrastructure", u"Infrastructure"};
    static constexpr SkinControlSpec kAdHocRadio{SkinControlKind::Radio, kAdHoc, u"Adhoc", u"Adhoc"};

    using CWizardPage::CWizardPage;

protected:
    // Copies the state's wireless settings and shows on/off, the mode and the SSID.
    void startEditing();
    void OnWireless(bool on);
    // With wireless on a typed SSID the camera cannot take is refused: message 20, the focus on
    // it. Changes nothing, so that a Next refused later on the page leaves no trace.
    bool ssidAccepted();
    // Keeps the SSID typed; with wireless off a name the camera cannot take is dropped rather
    // than sent.
    void takeSsid();
    // Keeps the working copy and goes on.
    void finish();
    bool wirelessOn() const;
    // On/off and the network mode, the same on both pages; the rest goes to the page base.
    void OnCommand(int id, int code) override;
    // Enables the page's inputs for the current choices.
    virtual void updateEnabling() = 0;
    virtual void OnMode(bool adHoc) = 0;

    WirelessSettings m_edit;
};
