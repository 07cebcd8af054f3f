// SPDX-License-Identifier: Apache-2.0
#include "device/AddressChecks.h"

#include "platform/Utf8.h"

#include <arpa/inet.h>

namespace {

std::optional<uint32_t> ParseDotted(std::u16string_view text)
{
    in_addr address{};
    const std::string narrow = ToUtf8(text);
    if (narrow.empty() || inet_aton(narrow.c_str(), &address) == 0)
        return std::nullopt;
    return ntohl(address.s_addr);
}

std::u16string FormatHostOrder(uint32_t value)
{
    const std::string text = std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 0xFF) + "." +
                             std::to_string((value >> 8) & 0xFF) + "." + std::to_string(value & 0xFF);
    return std::u16string(text.begin(), text.end());
}

} // namespace

std::optional<std::u16string> CheckAddress(std::u16string_view text, AddressMode mode)
{
    std::u16string compact;
    for (char16_t c : text) {
        if (c != u' ')
            compact.push_back(c);
    }
    if (compact.empty()) {
        if (mode == AddressMode::Optional)
            return std::u16string();
        return std::nullopt;
    }
    uint32_t numbers[4] = {};
    size_t pieces = 0;
    size_t pos = 0;
    while (pos < compact.size()) {
        if (compact[pos] == u'.') {
            ++pos;
            continue;
        }
        uint32_t value = 0;
        for (; pos < compact.size() && compact[pos] != u'.'; ++pos) {
            if (compact[pos] < u'0' || compact[pos] > u'9')
                return std::nullopt;
            value = std::min<uint32_t>(value * 10 + (compact[pos] - u'0'), 256);
        }
        if (value > 255 || pieces == 4)
            return std::nullopt;
        numbers[pieces++] = value;
    }
    if (pieces != 4)
        return std::nullopt;
    // Cameras report an unset gateway or DNS server as 0.0.0.0; an optional field takes it back.
    const bool unset = (numbers[0] | numbers[1] | numbers[2] | numbers[3]) == 0;
    if (unset && mode == AddressMode::Optional)
        return std::u16string(u"0.0.0.0");
    if (numbers[0] < 1 || numbers[0] > 223)
        return std::nullopt;
    return FormatHostOrder(numbers[0] << 24 | numbers[1] << 16 | numbers[2] << 8 | numbers[3]);
}

std::optional<std::u16string> CheckMask(std::u16string_view text)
{
    // A text the parser cannot read is refused rather than taken as 255.255.255.255.
    const auto mask = ParseDotted(text);
    if (!mask)
        return std::nullopt;
    if (*mask == 0)
        return FormatHostOrder(0);
    const uint32_t lowest = *mask & (~*mask + 1);
    if (lowest == 2)
        return std::nullopt;
    const uint32_t contiguous = ~(lowest - 1);
    if (*mask != contiguous)
        return std::nullopt;
    return FormatHostOrder(*mask);
}

bool CheckGateway(std::u16string_view ip, std::u16string_view mask, std::u16string_view gateway)
{
    if (gateway.empty() || gateway == u"0.0.0.0")
        return true;
    const auto ipValue = ParseDotted(ip);
    const auto maskValue = ParseDotted(mask);
    const auto gatewayValue = ParseDotted(gateway);
    if (!ipValue || !maskValue || !gatewayValue)
        return false;
    const uint32_t broadcast = *ipValue | ~*maskValue;
    const uint32_t network = *ipValue & *maskValue;
    return *gatewayValue < broadcast && network < *gatewayValue;
}

StaticAddressCheck CheckStaticAddress(const StaticAddress& input)
{
    StaticAddressCheck result;
    auto fail = [&result](AddressField field) {
        result.failed = field;
        return result;
    };
    const auto ip = CheckAddress(input.ip, AddressMode::Required);
    if (!ip)
        return fail(AddressField::Ip);
    const auto mask = CheckMask(input.mask);
    if (!mask)
        return fail(AddressField::Mask);
    const auto gateway = CheckAddress(input.gateway, AddressMode::Optional);
    if (!gateway || !CheckGateway(*ip, *mask, *gateway))
        return fail(AddressField::Gateway);
    const auto dns1 = CheckAddress(input.dns1, AddressMode::Optional);
    if (!dns1)
        return fail(AddressField::Dns1);
    const auto dns2 = CheckAddress(input.dns2, AddressMode::Optional);
    if (!dns2)
        return fail(AddressField::Dns2);
    result.normalised = StaticAddress{*ip, *mask, *gateway, *dns1, *dns2};
    return result;
}

void StoreStaticAddress(const StaticAddress& address, CameraInfo& camera)
{
    camera.ip = address.ip;
    camera.mask = address.mask;
    camera.gateway = address.gateway;
    camera.dns1 = address.dns1;
    camera.dns2 = address.dns2;
}
