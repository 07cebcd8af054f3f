// SPDX-License-Identifier: Apache-2.0
#include "device/WirelessOptions.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

// "Open(0) Shared(1)" for compact expectations.
std::string Shown(const WirelessOptionList& list)
{
    std::string text;
    for (const WirelessOption& o : list)
        text += (text.empty() ? "" : " ") + ToUtf8(o.text) + "(" + std::to_string(o.type) + ")";
    return text;
}

TEST(CapabilityTest, CharacterSevenIsTheFirstEntry)
{
    EXPECT_TRUE(CapabilityOffers(u"00000001", 0));
    EXPECT_FALSE(CapabilityOffers(u"00000001", 1));
    EXPECT_TRUE(CapabilityOffers(u"01000000", 6));
    EXPECT_FALSE(CapabilityOffers(u"0001", 0)) << "a short string offers nothing it does not reach";
    // A camera that reports nothing restricts nothing.
    EXPECT_TRUE(CapabilityOffers(u"", 3));
    EXPECT_TRUE(CapabilityOffers(u"00000000", 1));
    EXPECT_TRUE(CapabilityAllows(u"", 0));
    EXPECT_TRUE(CapabilityAllows(u"00000000", 0));
    EXPECT_TRUE(CapabilityAllows(u"0000001x", 0));
    EXPECT_FALSE(CapabilityAllows(u"00000010", 0));
}

TEST(ChannelRangeTest, LastCharacterIsChannelOne)
{
    const struct
    {
        const char16_t* range;
        std::vector<int32_t> channels;
    } cases[] = {
        {u"00000000000000000000011111111111", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {u"10000000000000000000000000000101", {1, 3, 32}},
        {u"100", {3}},
        {u"00000000000000000000000000000000", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {u"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        // Only 32 channels exist; a longer text's extra characters are not channels.
        {u"1111111111111111111111111111111111111111",
         [] {
             std::vector<int32_t> all;
             for (int32_t n = 1; n <= 32; ++n)
                 all.push_back(n);
             return all;
         }()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AllowedChannels(c.range), c.channels) << ToUtf8(c.range);
    EXPECT_EQ(Shown(Channels(u"00000000000000000000000000000110", true)), "2(2) 3(3)");
    EXPECT_EQ(Shown(Channels(u"00000000000000000000000000000110", false)), "Auto(0)");
}

TEST(WirelessOnTest, OneOrEnabledInAnyCase)
{
    for (const char16_t* on : {u"1", u"Enabled", u"ENABLED", u"enabled"})
        EXPECT_TRUE(WirelessOn(on)) << ToUtf8(on);
    for (const char16_t* off : {u"0", u"", u"Enable", u"enabled!", u"Disabled"})
        EXPECT_FALSE(WirelessOn(off)) << ToUtf8(off);
}

TEST(StandardPageListsTest, ByCapabilities)
{
    const struct
    {
        const char16_t* encryption;
        const char16_t* authentication;
        bool infrastructure;
        const char* shown;
    } cases[] = {
        {u"00011111", u"00111111", true, "None(0) WEP(1) WPA/WPA2(2)"},
        {u"00011111", u"00111111", false, "None(0) WEP(1)"},
        {u"00000001", u"00111111", true, "None(0) WPA/WPA2(2)"},
        {u"00011111", u"00011111", true, "None(0) WEP(1)"},
        {u"", u"", true, "None(0) WEP(1) WPA/WPA2(2)"},
        {u"00000000", u"00000000", true, "None(0) WEP(1) WPA/WPA2(2)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(SecurityModes(c.encryption, c.authentication, c.infrastructure)), c.shown)
            << ToUtf8(c.encryption) << " " << ToUtf8(c.authentication);
    EXPECT_EQ(SecurityModeEncryption(0), 0);
    EXPECT_EQ(SecurityModeEncryption(1), 1);
    EXPECT_EQ(SecurityModeEncryption(2), 4);
    EXPECT_EQ(SecurityModeOf(3), 2);
    EXPECT_EQ(SecurityModeOf(-1), 0);

    EXPECT_EQ(Shown(KeyLengths(u"00000111")), "64bits(0) 128bits(1) 256bits(2)");
    EXPECT_EQ(Shown(KeyLengths(u"00000010")), "128bits(1)");
    EXPECT_EQ(Shown(KeyLengths(u"00000000")), "64bits(0) 128bits(1)");
    EXPECT_EQ(Shown(KeyFormats(u"00000010")), "HEX(1)");
    EXPECT_EQ(Shown(KeyFormats(u"")), "ASCII(0) Hex(1)");
    EXPECT_EQ(Shown(DefaultKeys(u"00001010")), "WEP Key2(1) WEP Key4(3)");
    EXPECT_EQ(Shown(DefaultKeys(u"")), "WEP Key1(0) WEP Key2(1) WEP Key3(2) WEP Key4(3)");
}

TEST(SecurityRuleTest, RadiosFollowTheEncryption)
{
    const struct
    {
        int32_t encryption, authentication;
        bool k7zAdHoc;
        int32_t kept;
        bool enabled;
    } cases[] = {
        {0, 2, false, 0, false}, {1, 1, false, 1, true}, {1, 2, false, 2, true},  {1, 4, false, 0, true},
        {1, -1, false, 0, true}, {1, 0, true, 2, false}, {4, 1, false, 5, false}, {4, 1, true, 5, false},
    };
    for (const auto& c : cases) {
        const AuthenticationRadios r = SecurityRule(c.encryption, c.authentication, c.k7zAdHoc);
        EXPECT_EQ(r.authentication, c.kept) << c.encryption << "/" << c.authentication;
        EXPECT_EQ(r.enabled, c.enabled) << c.encryption << "/" << c.authentication;
    }
}

TEST(OnePageListsTest, ByModeAndCapabilities)
{
    EXPECT_EQ(Shown(Authentications(u"00111111", false)),
              "Open(0) Shared(1) Both(2) WPA-PSK(3) WPA2-PSK(4) WPA/WPA2(5)");
    EXPECT_EQ(Shown(Authentications(u"00011001", false)), "Open(0) WPA-PSK(3) WPA2-PSK(4)");
    EXPECT_EQ(Shown(Authentications(u"00111111", true)), "Open(0) Shared(1)");
    // Nothing offered: the built-in list, each entry leading to its own encryptions.
    EXPECT_EQ(Shown(Authentications(u"", false)), "Open(0) Shared(1) WPA-PSK(3) WPA2-PSK(4)");
    EXPECT_EQ(Shown(Authentications(u"00000000", false)), "Open(0) Shared(1) WPA-PSK(3) WPA2-PSK(4)");

    const struct
    {
        int32_t authentication;
        const char16_t* caps;
        const char* shown;
    } cases[] = {
        {0, u"00011111", "Disabled(0) WEP(1)"},
        {0, u"00011110", "WEP(1)"},
        {0, u"00011101", "Disabled(0)"},
        {1, u"00011111", "WEP(1)"},
        {2, u"00011101", ""},
        {3, u"00011111", "TKIP(2) AES(3) TKIP&AES(4)"},
        {4, u"00001011", "AES(3)"},
        {5, u"", "TKIP(2) AES(3) TKIP&AES(4)"},
        {0, u"", "Disabled(0) WEP(1)"},
        {4, u"00000000", "TKIP(2) AES(3) TKIP&AES(4)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(Encryptions(c.authentication, c.caps)), c.shown)
            << c.authentication << " " << ToUtf8(c.caps);

    EXPECT_EQ(KeyLimit(0), 0);
    EXPECT_EQ(KeyLimit(1), 26);
    EXPECT_EQ(KeyLimit(2), 64);
    EXPECT_EQ(KeyLimit(4), 64);
    EXPECT_EQ(ToUtf8(AuthenticationName(2)), "Open & Shared");
    EXPECT_EQ(ToUtf8(AuthenticationName(4)), "WPA2");
    EXPECT_EQ(ToUtf8(EncryptionName(4)), "TKIP&AES");
    EXPECT_EQ(ToUtf8(EncryptionName(9)), "");
}

TEST(KeyChecksTest, SsidPassphraseAndKeyPageKeys)
{
    EXPECT_EQ(CheckSsid(u"home-net 5"), 0);
    EXPECT_EQ(CheckSsid(u""), 20);
    EXPECT_EQ(CheckSsid(u"caf\u00e9"), 20);
    EXPECT_EQ(CheckSsid(u"tab\there"), 20);
    EXPECT_EQ(CheckSsid(std::u16string(32, u'a')), 0);
    EXPECT_EQ(CheckSsid(std::u16string(33, u'a')), 20);

    const struct
    {
        int32_t length, format;
        const char16_t* key;
        int message;
    } wep[] = {
        {0, 0, u"abcde", 0},
        {0, 0, u"abcdef", 33},
        {0, 1, u"0123456789", 0},
        {0, 1, u"01234567zz", 31},
        {0, 1, u"012345678", 33},
        {1, 0, u"abcdefghijklm", 0},
        {1, 0, u"abcde", 33},
        {1, 1, u"0123456789abcdefABCDEF0123", 0},
        // 26 characters, so the length is right: the fault is the letter.
        {1, 1, u"0123456789abcdefABCDEF012G", 31},
        {1, 1, u"0123456789", 33},
        {2, 0, u"abcdefghijklmnopqrstuvwxyz123", 69},
        {2, 1, u"", 69},
    };
    for (const auto& c : wep)
        EXPECT_EQ(CheckWepKey(c.length, c.format, c.key), c.message) << ToUtf8(c.key);

    const std::u16string hex64(64, u'f');
    std::u16string notHex64 = hex64;
    notHex64[10] = u'z';
    EXPECT_EQ(CheckPassphrase(u"1234567"), 33);
    EXPECT_EQ(CheckPassphrase(u"12345678"), 0);
    EXPECT_EQ(CheckPassphrase(std::u16string(63, u'z')), 0);
    EXPECT_EQ(CheckPassphrase(hex64), 0);
    EXPECT_EQ(CheckPassphrase(notHex64), 30);
    EXPECT_EQ(CheckPassphrase(std::u16string(65, u'f')), 33);
}

TEST(KeyChecksTest, OnePageKeyShapeFromItsLength)
{
    const struct
    {
        const char16_t* key;
        int message;
        int32_t length, format;
    } cases[] = {
        {u"abcde", 0, 0, 0},         {u"0123456789", 0, 0, 1},
        {u"abcdefghijklm", 0, 1, 0}, {u"0123456789abcdef0123456789", 0, 1, 1},
        {u"012345678z", 31, 0, 0},   {u"0123456789abcdef012345678z", 31, 0, 0},
        {u"abcdefghijk", 32, 0, 0},  {u"", 32, 0, 0},
    };
    for (const auto& c : cases) {
        const WepKeyShape shape = CheckWepKeyByLength(c.key);
        EXPECT_EQ(shape.message, c.message) << ToUtf8(c.key);
        if (c.message == 0) {
            EXPECT_EQ(shape.length, c.length) << ToUtf8(c.key);
            EXPECT_EQ(shape.format, c.format) << ToUtf8(c.key);
        }
    }
}

} // namespace
