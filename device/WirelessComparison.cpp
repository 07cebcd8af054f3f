// SPDX-License-Identifier: Apache-2.0
#include "device/WirelessComparison.h"

namespace {

struct TextSetting
{
    std::u16string_view name;
    std::u16string WirelessSettings::*member;
    bool secret;
};

struct NumberSetting
{
    std::u16string_view name;
    int32_t WirelessSettings::*member;
    int32_t bits; // how much of the number travels
};

constexpr TextSetting kTexts[] = {
    {u"SSID", &WirelessSettings::ssid, false},
    {u"wireless on", &WirelessSettings::wirelessEnable, false},
    {u"passphrase", &WirelessSettings::passphrase, true},
};

constexpr NumberSetting kNumbers[] = {
    {u"channel", &WirelessSettings::channel, 0},
    {u"ad hoc", &WirelessSettings::adHoc, 0xF},
    {u"encryption", &WirelessSettings::encryption, 0xF},
    {u"authentication", &WirelessSettings::authentication, 0xF},
    {u"key length", &WirelessSettings::wepKeyLength, 0xF},
    {u"key format", &WirelessSettings::wepKeyFormat, 0xF},
    {u"default key", &WirelessSettings::wepDefaultKey, 0xF},
    {u"transmit rate", &WirelessSettings::txRate, 0xFF},
};

constexpr std::u16string_view kWepKeyNames[] = {u"WEP key 1", u"WEP key 2", u"WEP key 3", u"WEP key 4"};

std::u16string NumberText(int32_t n)
{
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::vector<WirelessDifference> CompareWirelessSettings(const WirelessSettings& written,
                                                        const WirelessSettings& held)
{
    std::vector<WirelessDifference> differences;
    for (const TextSetting& s : kTexts) {
        if (written.*s.member != held.*s.member)
            differences.push_back({s.name, written.*s.member, held.*s.member, s.secret});
    }
    for (size_t i = 0; i < written.wepKeys.size(); ++i) {
        if (written.wepKeys[i] != held.wepKeys[i])
            differences.push_back({kWepKeyNames[i], written.wepKeys[i], held.wepKeys[i], true});
    }
    for (const NumberSetting& s : kNumbers) {
        const int32_t want = s.bits ? written.*s.member & s.bits : written.*s.member;
        const int32_t have = s.bits ? held.*s.member & s.bits : held.*s.member;
        if (want != have)
            differences.push_back({s.name, NumberText(want), NumberText(have), false});
    }
    return differences;
}

std::u16string DescribeWirelessDifferences(const std::vector<WirelessDifference>& differences)
{
    std::u16string text;
    for (const WirelessDifference& d : differences) {
        if (!text.empty())
            text += u", ";
        text +=
            std::u16string(d.setting) + (d.secret ? std::u16string(u" not as written")
                                                  : u" '" + d.held + u"' instead of '" + d.written + u"'");
    }
    return text;
}
