#pragma once

#include "CWizardPage.h"
#include "WizardState.h"

// The one-page wireless set-up: on/off, SSID, infrastructure or ad hoc, channel,
// authentication, encryption and one key field (the default WEP key or the passphrase).
// Authentication and encryption are remembered per network mode while the page is open.
class CDlgWirelessNew : public CWizardPage
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
        kKey = 1115,
        kOn = 1207,
        kOff = 1208,
        kInfrastructure = 1209,
        kAdHoc = 1210,
        kAuthentication = 1219,
        kEncryption = 1220,
    };

    explicit CDlgWirelessNew(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnWireless(bool on);
    void OnMode(bool adHoc);
    void OnAuthentication();
    void OnEncryption();
    void OnKeyEdited();
    void OnNext();
    bool takeKey(bool on);
    void fillForMode();
    void fillEncryptions();
    void showKey();
    void updateEnabling();
    std::u16string& wepKeySlot();

    WirelessSettings m_edit;
    std::u16string m_keyText;
    bool m_keyFilled = false;
    int32_t m_otherAuthentication = 0;
    int32_t m_otherEncryption = 0;
};
