// SPDX-License-Identifier: Apache-2.0
#include "device/WpsPin.h"

#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(WpsPinTest, CheckDigitFollowsTheWpsRule)
{
    EXPECT_EQ(WpsCheckDigit(1234567), 0); // 12345670 is the well-known valid WPS PIN
    EXPECT_EQ(WpsCheckDigit(0), 0);
    EXPECT_EQ(WpsCheckDigit(1), 7);
    EXPECT_EQ(WpsCheckDigit(9999999), 5);
}

TEST(WpsPinTest, PinComesFromTheThreeLowestClockBytes)
{
    // Three zero low bytes give seven zero digits.
    EXPECT_EQ(ToUtf8(GenerateWpsPin(int64_t{5} << 24)), "00000000");
    // b0 = 1, b1 = 0, b2 = 0: x = 65536.
    EXPECT_EQ(ToUtf8(GenerateWpsPin(1)), "00655361");
    // Bytes read as signed: b0 = -1, b1 = b2 = 0 gives x = -65536, taken unsigned.
    const uint32_t digits = static_cast<uint32_t>(-65536) % 10000000u;
    char expected[16];
    std::snprintf(expected, sizeof expected, "%07u%d", digits, WpsCheckDigit(digits));
    EXPECT_EQ(ToUtf8(GenerateWpsPin(0xFF)), expected);
    for (int64_t t : {int64_t{0}, int64_t{1765000000}, int64_t{0x7FFFFFFF}, int64_t{-1}})
        EXPECT_EQ(GenerateWpsPin(t).size(), 8u);
}

TEST(WpsPinTest, EveryPinHasEightDigitsAndPassesTheWpsValidation)
{
    // Across zero, the sign boundary of each low byte and ordinary clocks.
    for (const int64_t t :
         {int64_t{0}, int64_t{0x7F}, int64_t{0x80}, int64_t{0x7FFF}, int64_t{0x8000}, int64_t{0x800000},
          int64_t{0xFFFFFF}, int64_t{1765000000}, int64_t{1765000001}, int64_t{0x7FFFFFFF}, int64_t{-1}}) {
        const std::string pin = ToUtf8(GenerateWpsPin(t));
        SCOPED_TRACE(pin);
        ASSERT_EQ(pin.size(), 8u);
        // The check an access point makes: 3 × the odd places plus the even places, last digit
        // included, is a multiple of 10.
        int sum = 0;
        for (size_t i = 0; i < pin.size(); ++i) {
            ASSERT_TRUE(pin[i] >= '0' && pin[i] <= '9');
            sum += (pin[i] - '0') * (i % 2 == 0 ? 3 : 1);
        }
        EXPECT_EQ(sum % 10, 0);
    }
}

} // namespace
