// SPDX-License-Identifier: Apache-2.0
#include "platform/Utf8.h"

#include "tests/unit/TestName.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase
{
    const char* what;
    std::string bytes;
    std::u16string text;
};

class FromUtf8Test : public testing::TestWithParam<DecodeCase>
{
};

TEST_P(FromUtf8Test, Decodes)
{
    EXPECT_EQ(FromUtf8(GetParam().bytes), GetParam().text);
}

// Each broken sequence is one U+FFFD, and decoding resumes at the byte that broke it.
INSTANTIATE_TEST_SUITE_P(
    Sequences, FromUtf8Test,
    testing::Values(
        DecodeCase{"one to four bytes", "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"a\u00E9\u20AC\U0001F600"},
        DecodeCase{"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        DecodeCase{"overlong NUL", std::string("\xC0\x80", 2), u"\uFFFD\uFFFD"},
        DecodeCase{"overlong slash in three bytes", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"overlong in four bytes", "\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"lead bytes that never start a character", "\xF5\xFF\xC1", u"\uFFFD\uFFFD\uFFFD"},
        DecodeCase{"lone continuation", "\x80z", u"\uFFFDz"},
        DecodeCase{"cut short before a letter", "\xE2\x82z", u"\uFFFDz"},
        DecodeCase{"cut short at the end", "a\xF0\x9F\x98", u"a\uFFFD"},
        DecodeCase{"new lead inside a sequence", "\xE2\xC3\xA9", u"\uFFFD\u00E9"}),
    [](const auto& info) { return TestName(info.param.what); });

TEST(ToUtf8Test, UnpairedSurrogatesBecomeReplacements)
{
    EXPECT_EQ(ToUtf8(u"a\xD800z\xDC00"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8(ToUtf8(u"\u00E9\U0001F600")), u"\u00E9\U0001F600");
}

} // namespace
