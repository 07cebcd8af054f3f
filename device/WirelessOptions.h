// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The choices the wireless pages offer and the checks their Next applies, shared by the pages
// and the command-line tool. Codes are those the wizard state keeps (WirelessSettings).

// The codes of the wireless settings, as the camera and the templates number them. The state
// keeps the camera's number as read, which may be one that no list has, so the names are plain
// enumerators that compare with and convert to those numbers.
namespace Encryption {
enum Code : int32_t
{
    kNone = 0,
    kWep = 1,
    kTkip = 2,
    kAes = 3,
    kTkipAes = 4,
};
} // namespace Encryption

namespace Authentication {
enum Code : int32_t
{
    kOpen = 0,
    kShared = 1,
    kBoth = 2, // open and shared
    kWpaPsk = 3,
    kWpa2Psk = 4,
    kWpaWpa2 = 5,
};
} // namespace Authentication

namespace WepKeyLength {
enum Code : int32_t
{
    kBits64 = 0,
    kBits128 = 1,
    kBits256 = 2,
};
} // namespace WepKeyLength

namespace WepKeyFormat {
enum Code : int32_t
{
    kAscii = 0,
    kHex = 1,
};
} // namespace WepKeyFormat

// The key that goes with an encryption.
enum class WirelessKey
{
    None,
    WepKey,     // the default WEP key, its length and format as chosen
    Passphrase, // the WPA passphrase
};

// The key an encryption takes; none for a code that no list has.
WirelessKey KeyOf(int32_t encryption);

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

// The security modes of the page's list.
namespace SecurityMode {
enum Code : int32_t
{
    kNone = 0,
    kWep = 1,
    kWpa = 2,
};
} // namespace SecurityMode

// "None", "WEP", "WPA/WPA2"; WPA only in infrastructure mode.
WirelessOptionList SecurityModes(std::u16string_view encryptionCaps, std::u16string_view authenticationCaps,
                                 bool infrastructure);
// The encryption a security mode stands for (none, WEP or TKIP and AES) and the mode an
// encryption is shown as.
int32_t SecurityModeEncryption(int32_t mode);
int32_t SecurityModeOf(int32_t encryption);

// The WEP authentication radios (Open, Shared, Both) for an encryption.
struct AuthenticationRadios
{
    int32_t authentication; // the value kept; a WPA one checks no radio
    bool enabled;
};
// None: Open, fixed. WEP: the given one (Open when it is no WEP one), fixed to Both for a "K7Z"
// camera in ad hoc mode. WPA: WPA/WPA2, no radio.
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

// The key page's WEP key of the chosen length and format (a WepKeyLength and a WepKeyFormat; a
// code that no list has is taken as 64 bits, and as ASCII).
int CheckWepKey(int32_t length, int32_t format, std::u16string_view key);

// 8 to 64 characters (else 33), and a 64-character one all hexadecimal (else 30).
int CheckPassphrase(std::u16string_view passphrase);

// The one-page set-up's WEP key, whose length tells its size and format: 5, 13 characters or
// 10, 26 hexadecimal digits.
struct WepKeyShape
{
    int message = 0;
    int32_t length = WepKeyLength::kBits64;
    int32_t format = WepKeyFormat::kAscii;
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
