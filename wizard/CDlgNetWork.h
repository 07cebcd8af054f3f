#pragma once

#include "CWizardPage.h"

// DHCP or a static address with mask, gateway and two DNS servers. Next checks the static
// values and keeps them in the wizard state; Back keeps the state as it was.
class CDlgNetWork : public CWizardPage
{
    Q_OBJECT
public:
    explicit CDlgNetWork(QWidget* mainWindow);

    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnDhcp();
    void OnStatic();
    void OnNext();
    void setChecked(int id, bool checked);
    bool isChecked(int id) const;
    void enableAddressEdits(bool enabled);
    void fillAddressEdits(bool empty);
    void enableFlowButtons(bool enabled);
};
