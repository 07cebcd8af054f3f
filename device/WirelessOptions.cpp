// SPDX-License-Identifier: Apache-2.0
#include "device/WirelessOptions.h"

#include "device/WizardState.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kLastCapability = 7;
constexpr int32_t kSecurityNone = 0, kSecurityWep = 1, kSecurityWpa = 2;
constexpr int32_t kEncryptionNone = 0, kEncryptionWep = 1, kEncryptionWpa = 4;
constexpr int32_t kAuthenticationBoth = 2, kAuthenticationWpaBoth = 5;

// A string without a single "1" is a camera that did not say what it can do.
bool ReportsAny(std::u16string_view caps)
{
    return caps.find(u'1') != std::u16string_view::npos;
}

char16_t CapabilityAt(std::u16string_view caps, int entry)
{
    const int at = kLastCapability - entry;
    return at >= 0 && static_cast<size_t>(at) < caps.size() ? caps[static_cast<size_t>(at)] : u'\0';
}

// Entry i of the table when the capability string offers it; the built-in list when none is.
WirelessOptionList Offered(std::u16string_view caps, std::initializer_list<std::u16string_view> table,
                           std::initializer_list<std::u16string_view> builtIn)
{
    WirelessOptionList list;
    int32_t i = 0;
    for (std::u16string_view text : table) {
        if (CapabilityAt(caps, i) == u'1')
            list.push_back({std::u16string(text), i});
        ++i;
    }
    if (list.empty()) {
        i = 0;
        for (std::u16string_view text : builtIn)
            list.push_back({std::u16string(text), i++});
    }
    return list;
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

bool CapabilityOffers(std::u16string_view caps, int entry)
{
    return !ReportsAny(caps) || CapabilityAt(caps, entry) == u'1';
}

bool CapabilityAllows(std::u16string_view caps, int entry)
{
    return !ReportsAny(caps) || CapabilityAt(caps, entry) != u'0';
}

bool WirelessOn(std::u16string_view text)
{
    constexpr std::u16string_view enabled = u"enabled";
    if (!text.empty() && text.front() == u'1')
        return true;
    return text.size() == enabled.size() && std::equal(text.begin(), text.end(), enabled.begin(),
                                                       [](char16_t a, char16_t b) { return Lower(a) == b; });
}

std::vector<int32_t> AllowedChannels(std::u16string_view range)
{
    std::vector<int32_t> channels;
    for (int32_t n = 1; n <= 32 && static_cast<size_t>(n) <= range.size(); ++n) {
        if (range[range.size() - static_cast<size_t>(n)] == u'1')
            channels.push_back(n);
    }
    if (channels.empty()) {
        for (int32_t n = 1; n <= 14; ++n)
            channels.push_back(n);
    }
    return channels;
}

WirelessOptionList SecurityModes(std::u16string_view encryptionCaps, std::u16string_view authenticationCaps,
                                 bool infrastructure)
{
    WirelessOptionList list = {{u"None", kSecurityNone}};
    if (CapabilityOffers(encryptionCaps, 1))
        list.push_back({u"WEP", kSecurityWep});
    if (infrastructure && CapabilityOffers(authenticationCaps, 5))
        list.push_back({u"WPA/WPA2", kSecurityWpa});
    return list;
}

int32_t SecurityModeEncryption(int32_t mode)
{
    return mode == kSecurityWep ? kEncryptionWep : mode == kSecurityWpa ? kEncryptionWpa : kEncryptionNone;
}

int32_t SecurityModeOf(int32_t encryption)
{
    return std::clamp(encryption, kSecurityNone, kSecurityWpa);
}

AuthenticationRadios SecurityRule(int32_t encryption, int32_t authentication, bool k7zAdHoc)
{
    if (encryption == kEncryptionNone)
        return {0, false};
    if (encryption == kEncryptionWep) {
        if (k7zAdHoc)
            return {kAuthenticationBoth, false};
        return {authentication >= 0 && authentication <= kAuthenticationBoth ? authentication : 0, true};
    }
    return {kAuthenticationWpaBoth, false};
}

WirelessOptionList KeyLengths(std::u16string_view caps)
{
    return Offered(caps, {u"64bits", u"128bits", u"256bits"}, {u"64bits", u"128bits"});
}

WirelessOptionList KeyFormats(std::u16string_view caps)
{
    return Offered(caps, {u"ASCII", u"HEX"}, {u"ASCII", u"Hex"});
}

WirelessOptionList DefaultKeys(std::u16string_view caps)
{
    return Offered(caps, {u"WEP Key1", u"WEP Key2", u"WEP Key3", u"WEP Key4"},
                   {u"WEP Key1", u"WEP Key2", u"WEP Key3", u"WEP Key4"});
}

WirelessOptionList Authentications(std::u16string_view caps, bool adHoc)
{
    if (adHoc)
        return {{u"Open", 0}, {u"Shared", 1}};
    WirelessOptionList list =
        Offered(caps, {u"Open", u"Shared", u"Both", u"WPA-PSK", u"WPA2-PSK", u"WPA/WPA2"}, {});
    if (list.empty()) {
        // Each built-in entry stands for its own code, so that choosing WPA2 leads to WPA2's
        // encryptions and not to Open's.
        list = {{u"Open", 0}, {u"Shared", 1}, {u"WPA-PSK", 3}, {u"WPA2-PSK", 4}};
    }
    return list;
}

WirelessOptionList Encryptions(int32_t authentication, std::u16string_view caps)
{
    WirelessOptionList list;
    if (authentication == 0 && CapabilityAllows(caps, 0))
        list.push_back({u"Disabled", 0});
    if (authentication >= 0 && authentication <= 2) {
        if (CapabilityAllows(caps, 1))
            list.push_back({u"WEP", 1});
        return list;
    }
    const std::pair<std::u16string_view, int32_t> wpa[] = {{u"TKIP", 2}, {u"AES", 3}, {u"TKIP&AES", 4}};
    for (const auto& [text, type] : wpa) {
        if (CapabilityAllows(caps, type))
            list.push_back({std::u16string(text), type});
    }
    return list;
}

WirelessOptionList Channels(std::u16string_view channelRange, bool adHoc)
{
    if (!adHoc)
        return {{u"Auto", 0}};
    WirelessOptionList list;
    for (int32_t n : AllowedChannels(channelRange)) {
        const std::string digits = std::to_string(n);
        list.push_back({std::u16string(digits.begin(), digits.end()), n});
    }
    return list;
}

int KeyLimit(int32_t encryption)
{
    if (encryption == kEncryptionWep)
        return 26;
    return encryption >= 2 && encryption <= 4 ? 64 : 0;
}

std::u16string AuthenticationName(int32_t authentication)
{
    static const std::array<std::u16string_view, 6> names = {u"Open",    u"Shared", u"Open & Shared",
                                                             u"WPA-PSK", u"WPA2",   u"WPA/WPA2"};
    return authentication >= 0 && authentication < 6 ? std::u16string(names[authentication])
                                                     : std::u16string();
}

std::u16string EncryptionName(int32_t encryption)
{
    static const std::array<std::u16string_view, 5> names = {u"Disable", u"WEP", u"TKIP", u"AES",
                                                             u"TKIP&AES"};
    return encryption >= 0 && encryption < 5 ? std::u16string(names[encryption]) : std::u16string();
}

bool IsHexText(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

int CheckSsid(std::u16string_view ssid)
{
    const bool plain =
        std::all_of(ssid.begin(), ssid.end(), [](char16_t c) { return c >= 0x20 && c < 0x7F; });
    return ssid.empty() || ssid.size() > kLongestSsid || !plain ? kMessageBadSsid : 0;
}

int CheckWepKey(int32_t length, int32_t format, std::u16string_view key)
{
    if (length == 2)
        return kMessageWepKey256;
    const bool hex = format == 1;
    const size_t expected = (length == 1 ? 13u : 5u) * (hex ? 2u : 1u);
    if (key.size() != expected)
        return kMessageKeyLength;
    return hex && !IsHexText(key) ? kMessageKeyNotHex : 0;
}

int CheckPassphrase(std::u16string_view passphrase)
{
    if (passphrase.size() < 8 || passphrase.size() > 64)
        return kMessageKeyLength;
    return passphrase.size() == 64 && !IsHexText(passphrase) ? kMessagePassphraseNotHex : 0;
}

WepKeyShape CheckWepKeyByLength(std::u16string_view key)
{
    switch (key.size()) {
    case 5:
        return {0, 0, 0};
    case 13:
        return {0, 1, 0};
    case 10:
    case 26:
        if (!IsHexText(key))
            return {kMessageKeyNotHex};
        return {0, key.size() == 26 ? 1 : 0, 1};
    default:
        return {kMessageWepKeyLength};
    }
}

WirelessSettingsCheck CheckWirelessSettings(const WirelessSettings& w)
{
    static constexpr std::u16string_view keyNames[] = {u"wep-key1", u"wep-key2", u"wep-key3", u"wep-key4"};
    if (!WirelessOn(w.wirelessEnable))
        return {};
    if (const int message = CheckSsid(w.ssid))
        return {message, u"ssid"};
    if (w.encryption == kEncryptionWep) {
        const bool known = w.wepDefaultKey >= 0 && w.wepDefaultKey < 4;
        const std::u16string_view key = known ? std::u16string_view(w.wepKeys[w.wepDefaultKey]) : u"";
        if (const int message = CheckWepKey(w.wepKeyLength, w.wepKeyFormat, key))
            return {message, known ? keyNames[w.wepDefaultKey] : u"default-key"};
        return {};
    }
    if (w.encryption >= 2 && w.encryption <= 4) {
        if (const int message = CheckPassphrase(w.passphrase))
            return {message, u"passphrase"};
    }
    return {};
}
