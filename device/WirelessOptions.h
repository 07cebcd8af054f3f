// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The choices the wireless pages offer and the checks their Next applies, shared by the pages
// and the command-line tool. Codes are those the wizard state keeps (WirelessSettings).

// One entry of a choice list: what it says, and the code it stands for.
struct WirelessOption
{
    std::u16string text;
    int32_t type = 0;

    bool operator==(const WirelessOption&) const = default;
};
using WirelessOptionList = std::vector<WirelessOption>;

// A capability string offers entry i of its table when its character 7 - i is "1". A camera that
// reports nothing (no "1" anywhere, an empty string included) is taken to offer everything:
// otherwise it would leave no way to set up WEP or WPA at all.
bool CapabilityOffers(std::u16string_view caps, int entry);
// "Unless it says no": the character 7 - i is anything but "0", or missing.
bool CapabilityAllows(std::u16string_view caps, int entry);

// "1" (or anything starting with it) and "Enabled" in any letter case mean on.
bool WirelessOn(std::u16string_view wirelessEnable);

// The channels the range allows, 1 to 32 (the last character is channel 1); 1 to 14 when it
// allows none.
std::vector<int32_t> AllowedChannels(std::u16string_view channelRange);

// ---- the standard wireless page

// Security modes: type 0 "None", 1 "WEP", 2 "WPA/WPA2"; WPA only in infrastructure mode.
WirelessOptionList SecurityModes(std::u16string_view encryptionCaps, std::u16string_view authenticationCaps,
                                 bool infrastructure);
// The encryption a security mode stands for (0, 1 or 4) and the mode an encryption is shown as.
int32_t SecurityModeEncryption(int32_t mode);
int32_t SecurityModeOf(int32_t encryption);

// The WEP authentication radios (0 Open, 1 Shared, 2 Both) for an encryption.
struct AuthenticationRadios
{
    int32_t authentication; // the value kept; 3 and above check no radio
    bool enabled;
};
// None: Open, fixed. WEP: the given one (0 when out of range), fixed to Both for a "K7Z"
// camera in ad hoc mode. WPA: 5, no radio.
AuthenticationRadios SecurityRule(int32_t encryption, int32_t authentication, bool k7zAdHoc);

// The key page's lists, each entry's type its index in the full table; built-in lists when the
// camera offers none.
WirelessOptionList KeyLengths(std::u16string_view caps);  // "64bits", "128bits", "256bits"
WirelessOptionList KeyFormats(std::u16string_view caps);  // "ASCII", "HEX"
WirelessOptionList DefaultKeys(std::u16string_view caps); // "WEP Key1" .. "WEP Key4"

// ---- the one-page set-up

// Authentications: infrastructure by the camera's string (built-in list when it offers none),
// ad hoc "Open" and "Shared".
WirelessOptionList Authentications(std::u16string_view authenticationCaps, bool adHoc);
// The encryptions that go with an authentication.
WirelessOptionList Encryptions(int32_t authentication, std::u16string_view encryptionCaps);
// Ad hoc: the allowed channels; infrastructure: "Auto" (type 0).
WirelessOptionList Channels(std::u16string_view channelRange, bool adHoc);
// The longest key the key field takes for an encryption (0: no key).
int KeyLimit(int32_t encryption);

// Summary texts.
std::u16string AuthenticationName(int32_t authentication);
std::u16string EncryptionName(int32_t encryption);

// ---- checks. Each gives 0 when accepted, else the number of the skin message that explains.

inline constexpr int kMessageBadSsid = 20;
inline constexpr int kMessagePassphraseNotHex = 30;
inline constexpr int kMessageKeyNotHex = 31;
inline constexpr int kMessageWepKeyLength = 32;
inline constexpr int kMessageKeyLength = 33;
// A 256-bit WEP key: longer than a camera's key field holds.
inline constexpr int kMessageWepKey256 = 69;

inline constexpr size_t kLongestSsid = 32;

bool IsHexText(std::u16string_view text);

// Empty, longer than 32 or not plain 7-bit characters: 20.
int CheckSsid(std::u16string_view ssid);

// The key page's WEP key of the chosen length (0 64 bits, 1 128, 2 256) and format (0 ASCII, 1 hex).
int CheckWepKey(int32_t length, int32_t format, std::u16string_view key);

// 8 to 64 characters (else 33), and a 64-character one all hexadecimal (else 30).
int CheckPassphrase(std::u16string_view passphrase);

// The one-page set-up's WEP key, whose length tells its size and format: 5, 13 characters or
// 10, 26 hexadecimal digits.
struct WepKeyShape
{
    int message = 0;
    int32_t length = 0; // 0 64 bits, 1 128 bits
    int32_t format = 0; // 0 ASCII, 1 hex
};
WepKeyShape CheckWepKeyByLength(std::u16string_view key);

struct WirelessSettings;

// Settings as a whole, checked as the standard pages check them before anything is written:
// with wireless on the SSID; with WEP the default key by the chosen length and format; with WPA
// the passphrase. With wireless off nothing is checked.
struct WirelessSettingsCheck
{
    int message = 0;
    std::u16string_view field; // what failed: "ssid", "wep-key1" .. "wep-key4", "default-key", "passphrase"
};
WirelessSettingsCheck CheckWirelessSettings(const WirelessSettings& settings);
