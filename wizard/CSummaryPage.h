// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/CWizardPage.h"

#include <cstdint>

struct OperationContext;

// What the three summary pages share: read-only fields that stay easy to read, the account and
// address fields, and an apply whose failure keeps the page with a message.
class CSummaryPage : public CWizardPage
{
    Q_OBJECT
public:
    enum ControlId : int
    {
        kNext = 1003,
        kAdminId = 1101,
        kAdminPassword = 1102,
        kIp = 1106,
        kMask = 1107,
        kGateway = 1108,
        kDns1 = 1109,
        kDns2 = 1110,
    };

    using CWizardPage::CWizardPage;

    bool Create(const std::filesystem::path& programFolder) override;

protected:
    // Admin ID and the password the camera will have; the five addresses, or dhcpText for each
    // when the camera takes its address by DHCP.
    void fillAccountAndAddresses(const QString& dhcpText);
    // Gives every field and label the page font and shows each value from its start.
    void finishFields();
    // Runs the apply; posts Next when it succeeds, and when only lost answers leave it unconfirmed
    // (the camera list that follows finds out); otherwise says why and stays.
    void runApply(int (*apply)(OperationContext&));

private:
    int32_t m_errorDetail = 0;
};
