#pragma once

#include "CWizardPage.h"

// The login page: the camera's administrator ID and password, and optionally a new password
// that the network summary applies later. Next logs in; only a successful login goes on.
class CDlgIdPwd : public CWizardPage
{
    Q_OBJECT
public:
    explicit CDlgIdPwd(QWidget* mainWindow);

    bool Create(const std::filesystem::path& programFolder) override;
    void OnInitPage() override;

protected:
    void OnCommand(int id, int code) override;

private:
    void OnChangeId();
    void OnChangePassword();
    void OnNext();
    void enableEdit(int id, bool enabled);
    void setChecked(int id, bool checked);
    QString text(int id) const;

    int32_t m_errorDetail = 0;
};
