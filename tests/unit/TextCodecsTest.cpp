// SPDX-License-Identifier: Apache-2.0
#include "engine/Base64.h"
#include "engine/BitsText.h"
#include "engine/DecimalText.h"
#include "platform/AnsiCodePage.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Base64Test, EncodesWithPadding)
{
    EXPECT_EQ(Base64Encode(std::string_view("")), "");
    EXPECT_EQ(Base64Encode(std::string_view("a")), "YQ==");
    EXPECT_EQ(Base64Encode(std::string_view("ab")), "YWI=");
    EXPECT_EQ(Base64Encode(std::string_view("abc")), "YWJj");
    EXPECT_EQ(Base64Encode(std::string_view("\xff\xfe\xfd")), "//79");
    EXPECT_EQ(Base64Encode(std::u16string_view(u"admin")), u"YWRtaW4=");
}

TEST(Base64Test, DecodesUpToTheFirstPadding)
{
    EXPECT_EQ(Base64Decode(u"YWRtaW4="), u"admin");
    EXPECT_EQ(Base64Decode(u"YQ==YWJj"), u"a");
    EXPECT_EQ(Base64Decode(u"//79"), u"\xff\xfe\xfd");
    EXPECT_EQ(Base64Decode(u""), u"");
    EXPECT_EQ(Base64Decode(u"YW*j"), u"ERROR");
    EXPECT_EQ(Base64Decode(u"YW j"), u"ERROR");
}

TEST(Base64Test, ResultReaching1024CharactersIsAnError)
{
    const std::u16string bytes1024(1024, u'x');
    EXPECT_EQ(Base64Decode(Base64Encode(bytes1024)), u"ERROR");
    const std::u16string bytes1023(1023, u'x');
    EXPECT_EQ(Base64Decode(Base64Encode(bytes1023)), bytes1023);
}

TEST(BitsTextTest, FourBitsAndBack)
{
    EXPECT_EQ(BitsText4(0), u"0000");
    EXPECT_EQ(BitsText4(5), u"0101");
    EXPECT_EQ(BitsText4(0x1F), u"1111");
    EXPECT_EQ(BitsTextToInt(u"0101", 4), 5);
    EXPECT_EQ(BitsTextToInt(u"1x1", 3), 5);
    EXPECT_EQ(BitsTextToInt(u"11110000", 4), 15);
    EXPECT_EQ(BitsTextToInt(u"1", 4), 8);
    EXPECT_EQ(BitsTextToInt(u"1111", 0), 0);
}

TEST(DecimalTextTest, ReadsLikeAtoi)
{
    EXPECT_EQ(DecimalTextToInt(u"80"), 80);
    EXPECT_EQ(DecimalTextToInt(u"  -12abc"), -12);
    EXPECT_EQ(DecimalTextToInt(u"+7"), 7);
    EXPECT_EQ(DecimalTextToInt(u"abc"), 0);
    EXPECT_EQ(DecimalTextToInt(u""), 0);
    EXPECT_EQ(DecimalTextToInt(u"99999999999999"), 2147483647);
    EXPECT_EQ(DecimalTextToInt(u"-99999999999999"), -2147483647 - 1);
}

TEST(TextConversionTest, Windows1252RoundTrip)
{
    EXPECT_EQ(AnsiToUtf16("A\x80\x9f\xe9\x81"), u"A\u20AC\u0178\u00E9\u0081");
    EXPECT_EQ(Utf16ToAnsi(u"A\u20AC\u0178\u00E9"), "A\x80\x9f\xe9");
    EXPECT_EQ(Utf16ToAnsi(u"\u4E2D"), "?");
    for (int c = 1; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(one)), one);
    }
}

TEST(TextConversionTest, Utf8BothWays)
{
    EXPECT_EQ(ToUtf8(u"a\u00E9\u20AC\U0001F600"), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00E9\u20AC\U0001F600");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xFF"
                       "a"),
              u"\uFFFDa");
    EXPECT_EQ(JsonString("a\"b\\\n\x01"), "\"a\\\"b\\\\\\n\\u0001\"");
}

} // namespace
