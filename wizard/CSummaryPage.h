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
        kAdminId = 1101,
        kAdminPassword = 1102,
        kIp = 1106,
        kMask = 1107,
        kGateway = 1108,
        kDns1 = 1109,
        kDns2 = 1110,
        kIpLabel = 1304,
        kMaskLabel = 1305,
        kGatewayLabel = 1306,
        kDns1Label = 1307,
        kDns2Label = 1308,
        kAdminIdLabel = 1309,
        kAdminPasswordLabel = 1310,
        // The two wireless summaries.
        kWireless = 1111,
        kSsid = 1113,
        kChannel = 1114,
        kWirelessLabel = 1311,
        kSsidLabel = 1312,
        kChannelLabel = 1313,
        kKey1Label = 1314,
    };
    // clang-format off
    static constexpr SkinControlSpec kAccountAndAddressControls[] = {
        {SkinControlKind::Edit,    kAdminId,            u"ADMID"},
        {SkinControlKind::Edit,    kAdminPassword,      u"ADMPWD"},
        {SkinControlKind::Edit,    kIp,                 u"IPADDR"},
        {SkinControlKind::Edit,    kMask,               u"SUBMASK"},
        {SkinControlKind::Edit,    kGateway,            u"GATEWAY"},
        {SkinControlKind::Edit,    kDns1,               u"PRIDNS"},
        {SkinControlKind::Edit,    kDns2,               u"SECDNS"},
        {SkinControlKind::PicText, kAdminIdLabel,       u"LABADMID"},
        {SkinControlKind::PicText, kAdminPasswordLabel, u"LABADMPWD"},
        {SkinControlKind::PicText, kIpLabel,            u"LABIPADDR"},
        {SkinControlKind::PicText, kMaskLabel,          u"LABSUBMASK"},
        {SkinControlKind::PicText, kGatewayLabel,       u"LABGATEWAY"},
        {SkinControlKind::PicText, kDns1Label,          u"LABPRIDNS"},
        {SkinControlKind::PicText, kDns2Label,          u"LABSECDNS"},
    };
    static constexpr SkinControlSpec kWirelessControls[] = {
        {SkinControlKind::Edit,    kWireless,      u"Wireless"},
        {SkinControlKind::Edit,    kSsid,          u"SSID"},
        {SkinControlKind::Edit,    kChannel,       u"CHANNEL"},
        {SkinControlKind::PicText, kWirelessLabel, u"LABWireless"},
        {SkinControlKind::PicText, kSsidLabel,     u"LABSSID"},
        {SkinControlKind::PicText, kChannelLabel,  u"LABCHANNEL"},
        {SkinControlKind::PicText, kKey1Label,     u"LABKEY1"},
    };
    // clang-format on

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
