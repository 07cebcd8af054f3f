// SPDX-License-Identifier: Apache-2.0
#include "device/SettingsConfirmation.h"
#include "device/WirelessComparison.h"
#include "platform/Utf8.h"
#include "tests/unit/TestName.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

CameraInfo StaticCamera()
{
    CameraInfo c;
    c.name = u"Gate";
    c.dhcp = 0;
    c.ip = u"198.19.4.9";
    c.mask = u"255.255.255.0";
    c.gateway = u"198.19.4.254";
    c.dns1 = u"198.18.0.53";
    c.dns2 = u"";
    return c;
}

struct ComparisonCase
{
    const char* what;
    std::function<void(CameraInfo& applied)> apply;
    std::function<void(CameraInfo& found)> found;
    const char* expected; // "setting:applied>found;..." or "" for none
};

void PrintTo(const ComparisonCase& c, std::ostream* os)
{
    *os << c.what;
}

std::string Describe(const std::vector<SettingDifference>& differences)
{
    std::string text;
    for (const SettingDifference& d : differences)
        text += ToUtf8(SettingName(d.setting)) + ":" + ToUtf8(d.applied) + ">" + ToUtf8(d.found) + ";";
    return text;
}

class ComparisonCases : public ::testing::TestWithParam<ComparisonCase>
{
};

TEST_P(ComparisonCases, ListsWhatTheCameraDidNotTake)
{
    CameraInfo applied = StaticCamera();
    CameraInfo found = StaticCamera();
    GetParam().apply(applied);
    GetParam().found(found);
    EXPECT_EQ(Describe(CompareNetworkSettings(applied, found)), GetParam().expected);
}

auto Nothing = [](CameraInfo&) {};

const ComparisonCase kComparisonCases[] = {
    {"same settings", Nothing, Nothing, ""},
    {"empty DNS is the camera's 0.0.0.0", Nothing, [](CameraInfo& c) { c.dns2 = u"0.0.0.0"; }, ""},
    {"leading zeros are the same address", [](CameraInfo& c) { c.ip = u"198.19.004.009"; }, Nothing, ""},
    {"gateway kept", Nothing, [](CameraInfo& c) { c.gateway = u"0.0.0.0"; }, "gateway:198.19.4.254>0.0.0.0;"},
    {"address and name", Nothing,
     [](CameraInfo& c) {
         c.ip = u"198.19.4.4";
         c.name = u"Camera";
     },
     "address:198.19.4.9>198.19.4.4;name:Gate>Camera;"},
    {"name differs in case", Nothing, [](CameraInfo& c) { c.name = u"gate"; }, "name:Gate>gate;"},
    {"still static after DHCP", [](CameraInfo& c) { c.dhcp = 1; }, Nothing, "DHCP:on>off;"},
    {"DHCP address is not compared", [](CameraInfo& c) { c.dhcp = 1; },
     [](CameraInfo& c) {
         c.dhcp = 1;
         c.ip = u"198.19.4.77";
         c.gateway = u"198.19.4.1";
     },
     ""},
    {"static asked, DHCP kept", Nothing, [](CameraInfo& c) { c.dhcp = 1; }, "DHCP:off>on;"},
    {"every address differs, in order", Nothing,
     [](CameraInfo& c) { c.ip = c.mask = c.gateway = c.dns1 = c.dns2 = u"1.2.3.4"; },
     "address:198.19.4.9>1.2.3.4;mask:255.255.255.0>1.2.3.4;gateway:198.19.4.254>1.2.3.4;"
     "DNS 1:198.18.0.53>1.2.3.4;DNS 2:0.0.0.0>1.2.3.4;"},
};

INSTANTIATE_TEST_SUITE_P(CompareNetworkSettings, ComparisonCases, ::testing::ValuesIn(kComparisonCases),
                         [](const auto& info) { return TestName(info.param.what); });

TEST(CompareWirelessSettings, ComparesWhatTravelsAndNamesSecretsWithoutShowingThem)
{
    WirelessSettings written;
    written.ssid = u"Yard";
    written.wepKeys[1] = u"abcde";
    written.passphrase = u"long phrase";
    written.channel = 6;
    written.encryption = 1;
    WirelessSettings held = written;
    held.encryption = 1 + 16;   // only four bits travel
    held.channelText = u"06";   // the texts as read are not what was written
    held.channelRange = u"111"; // nor what the camera only describes
    EXPECT_TRUE(CompareWirelessSettings(written, held).empty());
    held.ssid = u"Other";
    held.wepKeys[1] = u"zzzzz";
    held.passphrase = u"other phrase";
    held.channel = 7;
    EXPECT_EQ(
        ToUtf8(DescribeWirelessDifferences(CompareWirelessSettings(written, held))),
        "SSID 'Other' instead of 'Yard', passphrase not as written, WEP key 2 not as written, channel '7' "
        "instead of '6'");
}

} // namespace
