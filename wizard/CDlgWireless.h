#pragma once

#include "CWizardPage.h"
#include "WizardState.h"

// The standard wireless page: on/off, SSID, infrastructure or ad hoc, channel, security mode
// and WEP authentication. What is chosen reaches the wizard state only on a Next that passes.
class CDlgWireless : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kExit = 1001,
        kBack = 1002,
        kNext = 1003,
        kSsid = 1113,
        kChannel = 1114,
        kOn = 1207,
        kOff = 1208,
        kInfrastructure = 1209,
        kAdHoc = 1210,
        kOpen = 1211,
        kShared = 1212,
        kBoth = 1213,
        kSecurity = 1215,
    };

    explicit CDlgWireless(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnWireless(bool on);
    void OnMode(bool adHoc);
    void OnAuthentication(int32_t authentication);
    void OnSecurity();
    void OnNext();
    void fillSecurity();
    void takeSecurity();
    void applySecurityRule();
    void updateEnabling();
    bool k7zAdHoc() const;

    WirelessSettings m_edit;
    int32_t m_wepAuthentication = 0; // the WEP authentication chosen last
    bool m_authenticationEnabled = false;
};
