#pragma once

#include "CWizardPage.h"

// The summary of the account and address settings; Next applies them to the camera.
class CDlgNetWorkFinish : public CWizardPage
{
    Q_OBJECT
public:
    explicit CDlgNetWorkFinish(QWidget* mainWindow);

    bool Create(const std::filesystem::path& programFolder) override;
    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnApply();
    int Apply();

    int32_t m_errorDetail = 0;
};
