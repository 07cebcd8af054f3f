// SPDX-License-Identifier: Apache-2.0
#include "device/SettingsConfirmation.h"

#include "device/CDeviceManager.h"
#include "device/NetworkText.h"

namespace {

// What the camera receives for an address text: the encoder parses it the same way.
std::u16string AddressValue(const std::u16string& text)
{
    return FormatAddress(ParseAddress(text));
}

std::u16string DhcpText(int32_t dhcp)
{
    return dhcp == 1 ? u"on" : u"off";
}

} // namespace

std::vector<SettingDifference> CompareNetworkSettings(const CameraInfo& applied, const CameraInfo& found)
{
    std::vector<SettingDifference> differences;
    if (applied.dhcp != 1) {
        const std::pair<NetworkSetting, std::u16string CameraInfo::*> addresses[] = {
            {NetworkSetting::Address, &CameraInfo::ip},      {NetworkSetting::Mask, &CameraInfo::mask},
            {NetworkSetting::Gateway, &CameraInfo::gateway}, {NetworkSetting::Dns1, &CameraInfo::dns1},
            {NetworkSetting::Dns2, &CameraInfo::dns2},
        };
        for (const auto& [setting, member] : addresses) {
            const std::u16string want = AddressValue(applied.*member);
            const std::u16string have = AddressValue(found.*member);
            if (want != have)
                differences.push_back({setting, want, have});
        }
    }
    if ((applied.dhcp == 1) != (found.dhcp == 1))
        differences.push_back({NetworkSetting::Dhcp, DhcpText(applied.dhcp), DhcpText(found.dhcp)});
    if (applied.name != found.name)
        differences.push_back({NetworkSetting::Name, applied.name, found.name});
    return differences;
}

SettingsConfirmation ConfirmNetworkSettings(CDeviceManager& manager, const CameraInfo& applied)
{
    SettingsConfirmation result;
    const MacBytes mac = ParseMac(applied.macText);
    const std::vector<TemplateCameraRecord> cameras = manager.Cameras();
    for (size_t i = 0; i < cameras.size(); ++i) {
        if (cameras[i].Mac() != mac)
            continue;
        CameraInfo found;
        manager.DecodeDiscovery(static_cast<int>(i), found);
        result.differences = CompareNetworkSettings(applied, found);
        result.outcome =
            result.differences.empty() ? SettingsConfirmation::Confirmed : SettingsConfirmation::Differs;
        return result;
    }
    return result;
}

std::u16string_view SettingName(NetworkSetting setting)
{
    static constexpr std::u16string_view names[] = {u"address", u"mask", u"gateway", u"DNS 1",
                                                    u"DNS 2",   u"DHCP", u"name"};
    return names[static_cast<size_t>(setting)];
}

std::u16string DescribeDifferences(const std::vector<SettingDifference>& differences)
{
    std::u16string text;
    for (const SettingDifference& d : differences) {
        if (!text.empty())
            text += u", ";
        text +=
            std::u16string(SettingName(d.setting)) + u" '" + d.found + u"' instead of '" + d.applied + u"'";
    }
    return text;
}
