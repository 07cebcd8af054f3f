// SPDX-License-Identifier: Apache-2.0
#include "device/NetworkText.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase
{
    const char16_t* text;
    Ipv4Bytes bytes;
};

void PrintTo(const AddressCase& c, std::ostream* out)
{
    *out << ToUtf8(c.text);
}

class ParseAddressTest : public ::testing::TestWithParam<AddressCase>
{
};

TEST_P(ParseAddressTest, GivesOctetsInDottedOrder)
{
    EXPECT_EQ(ParseAddress(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseAddressTest,
    ::testing::Values(AddressCase{u"192.168.0.20", {192, 168, 0, 20}}, AddressCase{u"10.1", {10, 1, 0, 0}},
                      AddressCase{u"", {0, 0, 0, 0}}, AddressCase{u"300.256.1.2", {44, 0, 1, 2}},
                      AddressCase{u"1.2.3.4.5", {1, 2, 3, 4}}, AddressCase{u"0.0.0.0", {0, 0, 0, 0}}));

struct MacCase
{
    const char16_t* text;
    MacBytes bytes;
};

void PrintTo(const MacCase& c, std::ostream* out)
{
    *out << ToUtf8(c.text);
}

class ParseMacTest : public ::testing::TestWithParam<MacCase>
{
};

TEST_P(ParseMacTest, ReadsSixPairsAtAStrideOfThree)
{
    EXPECT_EQ(ParseMac(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseMacTest,
    ::testing::Values(MacCase{u"0a.1b.2c.3d.4e.5f", {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}},
                      MacCase{u"00:11:22:33:44:55", {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}},
                      MacCase{u"FF.FE.0A.0B.0C.0D", {0xFF, 0xFE, 0x0A, 0x0B, 0x0C, 0x0D}},
                      // A short text leaves the missing octets zero.
                      MacCase{u"0a.1b", {0x0A, 0x1B, 0, 0, 0, 0}},
                      MacCase{u"zz.1b.2c.3d.4e.5f", {0, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}}));

TEST(FormatTest, FormatsAndParsesBack)
{
    const Ipv4Bytes ip{198, 18, 0, 255};
    EXPECT_EQ(FormatAddress(ip), u"198.18.0.255");
    EXPECT_EQ(ParseAddress(FormatAddress(ip)), ip);
    const MacBytes mac{0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0xF0};
    EXPECT_EQ(FormatMac(mac), u"0a.1b.2c.3d.4e.f0");
    EXPECT_EQ(ParseMac(FormatMac(mac)), mac);
}

} // namespace
