// SPDX-License-Identifier: Apache-2.0
#include "device/AddressChecks.h"

#include "platform/Utf8.h"
#include "tests/unit/TestName.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase
{
    const char* what;
    const char* text;
    AddressMode mode;
    const char* expected; // nullptr: rejected
};

void PrintTo(const AddressCase& c, std::ostream* os)
{
    *os << c.what;
}

class AddressCases : public ::testing::TestWithParam<AddressCase>
{
};

TEST_P(AddressCases, AcceptAndNormaliseOrReject)
{
    const auto result = CheckAddress(FromUtf8(GetParam().text), GetParam().mode);
    if (!GetParam().expected) {
        EXPECT_FALSE(result.has_value()) << ToUtf8(*result);
        return;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(ToUtf8(*result), GetParam().expected);
}

const AddressCase kAddressCases[] = {
    {"leading zeros dropped", "192.168.000.010", AddressMode::Required, "192.168.0.10"},
    {"spaces removed", " 10. 0.0 .1 ", AddressMode::Required, "10.0.0.1"},
    {"empty pieces skipped", "1..2.3.4", AddressMode::Required, "1.2.3.4"},
    {"class D refused", "224.1.1.1", AddressMode::Required, nullptr},
    {"first number 0 refused", "0.1.2.3", AddressMode::Required, nullptr},
    {"highest first number", "223.255.255.255", AddressMode::Required, "223.255.255.255"},
    {"three numbers", "1.2.3", AddressMode::Required, nullptr},
    {"five numbers", "1.2.3.4.5", AddressMode::Required, nullptr},
    {"number over 255", "10.256.0.1", AddressMode::Required, nullptr},
    {"huge number", "10.99999999999999999999.0.1", AddressMode::Required, nullptr},
    {"letters", "10.0.0.a", AddressMode::Required, nullptr},
    {"negative", "10.0.0.-1", AddressMode::Required, nullptr},
    {"empty required", "", AddressMode::Required, nullptr},
    {"empty optional", "", AddressMode::Optional, ""},
    {"blank optional", "   ", AddressMode::Optional, ""},
    {"dots only", "...", AddressMode::Optional, nullptr},
    {"unset optional", "0.0.0.0", AddressMode::Optional, "0.0.0.0"},
    {"unset optional with zeros", "000.0.0.00", AddressMode::Optional, "0.0.0.0"},
    {"unset required", "0.0.0.0", AddressMode::Required, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Texts, AddressCases, ::testing::ValuesIn(kAddressCases),
                         [](const auto& info) { return TestName(info.param.what); });

TEST(MaskCheckTest, ContiguousMasksOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"255.255.255.0", "255.255.255.0"},
        {"255.255.255.255", "255.255.255.255"},
        {"0.0.0.0", "0.0.0.0"},
        {"255.255.255.254", nullptr},
        {"255.255.255.252", "255.255.255.252"},
        {"255.0.255.0", nullptr},
        {"128.0.0.0", "128.0.0.0"},
        {"255.255.255.1", nullptr},
        {"0xffffff00", "255.255.255.0"},
        {"abc", nullptr},
        {"", nullptr},
        {"255.255.255.0.1", nullptr},
    };
    for (const auto& [text, expected] : cases) {
        const auto result = CheckMask(FromUtf8(text));
        if (expected) {
            ASSERT_TRUE(result.has_value()) << text;
            EXPECT_EQ(ToUtf8(*result), expected) << text;
        } else {
            EXPECT_FALSE(result.has_value()) << text;
        }
    }
}

TEST(GatewayCheckTest, StrictlyInsideTheSubnet)
{
    EXPECT_TRUE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"192.168.1.1"));
    EXPECT_TRUE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"192.168.1.254"));
    EXPECT_FALSE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"192.168.1.0"));
    EXPECT_FALSE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"192.168.1.255"));
    EXPECT_FALSE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"192.168.2.1"));
    EXPECT_TRUE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u""));
    EXPECT_TRUE(CheckGateway(u"192.168.1.20", u"255.255.255.0", u"0.0.0.0"));
    EXPECT_TRUE(CheckGateway(u"10.1.2.3", u"0.0.0.0", u"172.16.0.1"));
}

TEST(StaticAddressCheckTest, FirstFailingFieldNamesTheMessage)
{
    const StaticAddress good{u"192.168.0.20", u"255.255.255.0", u"192.168.0.1", u"8.8.8.8", u""};
    const auto ok = CheckStaticAddress(good);
    EXPECT_FALSE(ok.failed.has_value());
    const StaticAddress unset{u"192.168.0.20", u"255.255.255.0", u"0.0.0.0", u"0.0.0.0", u"0.0.0.0"};
    EXPECT_FALSE(CheckStaticAddress(unset).failed.has_value()) << "a camera's own unset values pass";
    EXPECT_EQ(ok.MessageNumber(), 0);
    EXPECT_EQ(ToUtf8(ok.normalised.ip), "192.168.0.20");

    struct Broken
    {
        StaticAddress input;
        int message;
    };
    const Broken broken[] = {
        {{u"224.1.1.1", u"255.255.255.0", u"", u"", u""}, 54},
        {{u"192.168.0.20", u"255.255.255.254", u"", u"", u""}, 55},
        {{u"192.168.0.20", u"255.255.255.0", u"192.168.0.255", u"", u""}, 56},
        {{u"192.168.0.20", u"255.255.255.0", u"1.2.3", u"", u""}, 56},
        {{u"192.168.0.20", u"255.255.255.0", u"", u"300.1.1.1", u""}, 57},
        {{u"192.168.0.20", u"255.255.255.0", u"", u"", u"8.8.8"}, 58},
        {{u"192.168.0.20", u"255.255.255.0", u"0.0.0.1", u"", u""}, 56},
        {{u"1.2.3", u"bad", u"bad", u"bad", u"bad"}, 54},
    };
    for (const Broken& b : broken)
        EXPECT_EQ(CheckStaticAddress(b.input).MessageNumber(), b.message) << ToUtf8(b.input.ip);
}

} // namespace
