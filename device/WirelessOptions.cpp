// SPDX-License-Identifier: Apache-2.0
#include "device/WirelessOptions.h"

#include "device/WizardState.h"

#include <algorithm>
#include <span>

namespace {

constexpr int kLastCapability = 7;
constexpr size_t kLongestPassphrase = 64;

// One row per code: its entry on the one-page set-up's list, its word on the summary, the key it
// takes.
struct EncryptionRow
{
    Encryption::Code code;
    std::u16string_view listText;
    std::u16string_view summaryText;
    WirelessKey key;
};

// clang-format off
constexpr EncryptionRow kEncryptions[] = {
    {Encryption::kNone,    u"Disabled", u"Disable",  WirelessKey::None},
    {Encryption::kWep,     u"WEP",      u"WEP",      WirelessKey::WepKey},
    {Encryption::kTkip,    u"TKIP",     u"TKIP",     WirelessKey::Passphrase},
    {Encryption::kAes,     u"AES",      u"AES",      WirelessKey::Passphrase},
    {Encryption::kTkipAes, u"TKIP&AES", u"TKIP&AES", WirelessKey::Passphrase},
};
// clang-format on

constexpr Encryption::Code kOpenEncryptions[] = {Encryption::kNone, Encryption::kWep};
constexpr Encryption::Code kWepEncryptions[] = {Encryption::kWep};
constexpr Encryption::Code kWpaEncryptions[] = {Encryption::kTkip, Encryption::kAes, Encryption::kTkipAes};

// The rows of the lists that a capability string offers, entry by entry: their entry's text, and
// that on the list shown when the camera offers none (empty: not on that list).
struct AuthenticationRow
{
    Authentication::Code code;
    std::u16string_view listText;
    std::u16string_view builtInText;
    std::u16string_view summaryText;
    bool adHoc; // offered in ad hoc mode
    // The encryptions that go with it, in the order of their list.
    std::span<const Encryption::Code> encryptions;
};

// clang-format off
constexpr AuthenticationRow kAuthentications[] = {
    {Authentication::kOpen,    u"Open",     u"Open",     u"Open",          true,  kOpenEncryptions},
    {Authentication::kShared,  u"Shared",   u"Shared",   u"Shared",        true,  kWepEncryptions},
    {Authentication::kBoth,    u"Both",     u"",         u"Open & Shared", false, kWepEncryptions},
    {Authentication::kWpaPsk,  u"WPA-PSK",  u"WPA-PSK",  u"WPA-PSK",       false, kWpaEncryptions},
    {Authentication::kWpa2Psk, u"WPA2-PSK", u"WPA2-PSK", u"WPA2",          false, kWpaEncryptions},
    {Authentication::kWpaWpa2, u"WPA/WPA2", u"",         u"WPA/WPA2",      false, kWpaEncryptions},
};
// clang-format on

struct WepKeyLengthRow
{
    WepKeyLength::Code code;
    std::u16string_view listText;
    std::u16string_view builtInText;
    size_t characters; // of an ASCII key; 0: longer than a camera's key field holds
};

constexpr WepKeyLengthRow kWepKeyLengths[] = {
    {WepKeyLength::kBits64, u"64bits", u"64bits", 5},
    {WepKeyLength::kBits128, u"128bits", u"128bits", 13},
    {WepKeyLength::kBits256, u"256bits", u"", 0},
};

struct WepKeyFormatRow
{
    WepKeyFormat::Code code;
    std::u16string_view listText;
    std::u16string_view builtInText;
    bool hex; // two hexadecimal digits a character
};

constexpr WepKeyFormatRow kWepKeyFormats[] = {
    {WepKeyFormat::kAscii, u"ASCII", u"ASCII", false},
    {WepKeyFormat::kHex, u"HEX", u"Hex", true},
};

struct DefaultKeyRow
{
    int32_t code;
    std::u16string_view listText;
    std::u16string_view builtInText;
};

constexpr DefaultKeyRow kDefaultKeys[] = {
    {0, u"WEP Key1", u"WEP Key1"},
    {1, u"WEP Key2", u"WEP Key2"},
    {2, u"WEP Key3", u"WEP Key3"},
    {3, u"WEP Key4", u"WEP Key4"},
};

struct SecurityModeRow
{
    SecurityMode::Code code;
    std::u16string_view listText;
    Encryption::Code encryption;
};

constexpr SecurityModeRow kSecurityModes[] = {
    {SecurityMode::kNone, u"None", Encryption::kNone},
    {SecurityMode::kWep, u"WEP", Encryption::kWep},
    {SecurityMode::kWpa, u"WPA/WPA2", Encryption::kTkipAes},
};

// The row of a code; nothing for a code that no list has.
template <typename Row, size_t N> const Row* Find(const Row (&rows)[N], int32_t code)
{
    for (const Row& row : rows) {
        if (row.code == code)
            return &row;
    }
    return nullptr;
}

// The row of a code, or the first (64 bits, ASCII) for a code that no list has.
template <typename Row, size_t N> const Row& FindOrFirst(const Row (&rows)[N], int32_t code)
{
    const Row* row = Find(rows, code);
    return row ? *row : rows[0];
}

template <typename Row> WirelessOption Entry(const Row& row)
{
    return {std::u16string(row.listText), row.code};
}

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

// The rows whose entry the capability string offers (row i is entry i); when it offers none, the
// built-in list.
template <typename Row, size_t N> WirelessOptionList Offered(std::u16string_view caps, const Row (&rows)[N])
{
    WirelessOptionList list;
    for (const Row& row : rows) {
        if (CapabilityAt(caps, row.code) == u'1')
            list.push_back(Entry(row));
    }
    if (list.empty()) {
        for (const Row& row : rows) {
            if (!row.builtInText.empty())
                list.push_back({std::u16string(row.builtInText), row.code});
        }
    }
    return list;
}

// The size of a WEP key of that length and format; 0 when no camera can store it.
size_t WepKeySize(const WepKeyLengthRow& length, const WepKeyFormatRow& format)
{
    return length.characters * (format.hex ? 2 : 1);
}

// Open, Shared or Both: an authentication that goes with WEP.
bool IsWepAuthentication(int32_t authentication)
{
    const AuthenticationRow* row = Find(kAuthentications, authentication);
    return row && std::ranges::find(row->encryptions, Encryption::kWep) != row->encryptions.end();
}

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

WirelessKey KeyOf(int32_t encryption)
{
    const EncryptionRow* row = Find(kEncryptions, encryption);
    return row ? row->key : WirelessKey::None;
}

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
    WirelessOptionList list = {Entry(kSecurityModes[SecurityMode::kNone])};
    if (CapabilityOffers(encryptionCaps, Encryption::kWep))
        list.push_back(Entry(kSecurityModes[SecurityMode::kWep]));
    if (infrastructure && CapabilityOffers(authenticationCaps, Authentication::kWpaWpa2))
        list.push_back(Entry(kSecurityModes[SecurityMode::kWpa]));
    return list;
}

int32_t SecurityModeEncryption(int32_t mode)
{
    return FindOrFirst(kSecurityModes, mode).encryption;
}

int32_t SecurityModeOf(int32_t encryption)
{
    // Below WEP is none; above it, any code is a WPA one.
    return std::clamp<int32_t>(encryption, SecurityMode::kNone, SecurityMode::kWpa);
}

AuthenticationRadios SecurityRule(int32_t encryption, int32_t authentication, bool k7zAdHoc)
{
    if (encryption == Encryption::kNone)
        return {Authentication::kOpen, false};
    if (encryption == Encryption::kWep) {
        if (k7zAdHoc)
            return {Authentication::kBoth, false};
        if (!IsWepAuthentication(authentication))
            return {Authentication::kOpen, true};
        return {authentication, true};
    }
    return {Authentication::kWpaWpa2, false};
}

WirelessOptionList KeyLengths(std::u16string_view caps)
{
    return Offered(caps, kWepKeyLengths);
}

WirelessOptionList KeyFormats(std::u16string_view caps)
{
    return Offered(caps, kWepKeyFormats);
}

WirelessOptionList DefaultKeys(std::u16string_view caps)
{
    return Offered(caps, kDefaultKeys);
}

WirelessOptionList Authentications(std::u16string_view caps, bool adHoc)
{
    if (!adHoc)
        return Offered(caps, kAuthentications);
    WirelessOptionList list;
    for (const AuthenticationRow& row : kAuthentications) {
        if (row.adHoc)
            list.push_back(Entry(row));
    }
    return list;
}

WirelessOptionList Encryptions(int32_t authentication, std::u16string_view caps)
{
    // A code that no list has is taken as a WPA one.
    const AuthenticationRow* row = Find(kAuthentications, authentication);
    const std::span<const Encryption::Code> codes =
        row ? row->encryptions : std::span<const Encryption::Code>(kWpaEncryptions);
    WirelessOptionList list;
    for (const Encryption::Code code : codes) {
        if (CapabilityAllows(caps, code))
            list.push_back(Entry(*Find(kEncryptions, code)));
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
    switch (KeyOf(encryption)) {
    case WirelessKey::WepKey:
        return static_cast<int>(
            WepKeySize(kWepKeyLengths[WepKeyLength::kBits128], kWepKeyFormats[WepKeyFormat::kHex]));
    case WirelessKey::Passphrase:
        return static_cast<int>(kLongestPassphrase);
    case WirelessKey::None:
        break;
    }
    return 0;
}

std::u16string AuthenticationName(int32_t authentication)
{
    const AuthenticationRow* row = Find(kAuthentications, authentication);
    return row ? std::u16string(row->summaryText) : std::u16string();
}

std::u16string EncryptionName(int32_t encryption)
{
    const EncryptionRow* row = Find(kEncryptions, encryption);
    return row ? std::u16string(row->summaryText) : std::u16string();
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
    const WepKeyFormatRow& formatRow = FindOrFirst(kWepKeyFormats, format);
    const size_t expected = WepKeySize(FindOrFirst(kWepKeyLengths, length), formatRow);
    if (expected == 0)
        return kMessageWepKey256;
    if (key.size() != expected)
        return kMessageKeyLength;
    return formatRow.hex && !IsHexText(key) ? kMessageKeyNotHex : 0;
}

int CheckPassphrase(std::u16string_view passphrase)
{
    if (passphrase.size() < 8 || passphrase.size() > kLongestPassphrase)
        return kMessageKeyLength;
    return passphrase.size() == kLongestPassphrase && !IsHexText(passphrase) ? kMessagePassphraseNotHex : 0;
}

WepKeyShape CheckWepKeyByLength(std::u16string_view key)
{
    for (const WepKeyLengthRow& length : kWepKeyLengths) {
        for (const WepKeyFormatRow& format : kWepKeyFormats) {
            if (length.characters == 0 || key.size() != WepKeySize(length, format))
                continue;
            if (format.hex && !IsHexText(key))
                return {kMessageKeyNotHex};
            return {0, length.code, format.code};
        }
    }
    return {kMessageWepKeyLength};
}

WirelessSettingsCheck CheckWirelessSettings(const WirelessSettings& w)
{
    static constexpr std::u16string_view keyNames[] = {u"wep-key1", u"wep-key2", u"wep-key3", u"wep-key4"};
    if (!WirelessOn(w.wirelessEnable))
        return {};
    if (const int message = CheckSsid(w.ssid))
        return {message, u"ssid"};
    switch (KeyOf(w.encryption)) {
    case WirelessKey::WepKey: {
        const bool known = w.wepDefaultKey >= 0 && w.wepDefaultKey < 4;
        const std::u16string_view key = known ? std::u16string_view(w.wepKeys[w.wepDefaultKey]) : u"";
        if (const int message = CheckWepKey(w.wepKeyLength, w.wepKeyFormat, key))
            return {message, known ? keyNames[w.wepDefaultKey] : u"default-key"};
        break;
    }
    case WirelessKey::Passphrase:
        if (const int message = CheckPassphrase(w.passphrase))
            return {message, u"passphrase"};
        break;
    case WirelessKey::None:
        break;
    }
    return {};
}
