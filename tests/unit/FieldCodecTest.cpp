// SPDX-License-Identifier: Apache-2.0
#include "engine/CredentialCipher.h"
#include "platform/AnsiCodePage.h"
#include "tests/unit/EngineFixture.h"
#include "tests/unit/TestName.h"

#include <array>

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

struct CodecCase
{
    const char* what;
    const char* line;  // one template line defining field F
    const char* value; // set before encoding
    std::vector<uint8_t> wire;
    const char* decoded; // after decoding the wire bytes
};

void PrintTo(const CodecCase& c, std::ostream* os)
{
    *os << c.what;
}

class CodecCases : public EngineTest, public ::testing::WithParamInterface<CodecCase>
{
};

TEST_P(CodecCases, EncodeThenDecode)
{
    const CodecCase& c = GetParam();
    Load(std::string(c.line) + "\r\n");
    m_engine->SetFieldText(u"F", FromUtf8(c.value));
    EXPECT_EQ(Encode(), c.wire);
    LoadReplyBody(c.wire);
    m_engine->DecodeReply(0xA3);
    EXPECT_EQ(Field("F"), c.decoded);
}

const CodecCase kCodecCases[] = {
    {"word 258", "F;2;x;y=a;0;0;TW2S", "258", Bytes({0x02, 0x01}), "258"},
    {"word -1 in two bytes", "F;2;x;y=a;0;0;TW2S", "-1", Bytes({0xFF, 0xFF}), "65535"},
    {"word -2 in four bytes", "F;4;x;y=a;0;0;TW2S", "-2", Bytes({0xFE, 0xFF, 0xFF, 0xFF}), "-2"},
    {"word past four bytes is zero", "F;6;x;y=a;0;0;TW2S", "258", Bytes({2, 1, 0, 0, 0, 0}), "258"},
    {"word of non-numeric text", "F;2;x;y=a;0;0;TW2S", "abc", Bytes({0, 0}), "0"},
    {"byte 300", "F;1;x;y=a;0;0;TB2S", "300", Bytes({0x2C}), "44"},
    {"address", "F;4;x;y=a;0;0;TIP2S", "192.168.0.20", Bytes({0xC0, 0xA8, 0x00, 0x14}), "192.168.0.20"},
    {"short address", "F;4;x;y=a;0;0;TIP2S", "10.1", Bytes({0x0A, 0x01, 0, 0}), "10.1.0.0"},
    {"empty address", "F;4;x;y=a;0;0;TIP2S", "", Bytes({0, 0, 0, 0}), "0.0.0.0"},
    {"six dotted bytes", "F;6;x;y=a;0;0;TIP2S", "0.17.34.51.68.85", Bytes({0, 0x11, 0x22, 0x33, 0x44, 0x55}),
     "0.17.34.51.68.85"},
    {"bits", "F;2;x;y=a;0;0;Tb2S0", "0000000100000010", Bytes({0x02, 0x01}), "0000000100000010"},
    {"short bits text", "F;2;x;y=a;0;0;Tb2S0", "1", Bytes({0x00, 0x80}), "1000000000000000"},
    {"characters", "F;8;x;y=a;8;0;TC2S", "abc", Bytes({0x61, 0x62, 0x63, 0, 0, 0, 0, 0}), "abc"},
    {"characters kept to the text limit", "F;8;x;y=a;2;0;TC2S", "abc",
     Bytes({0x61, 0x62, 0x63, 0, 0, 0, 0, 0}), "ab"},
    {"text limit 0", "F;8;x;y=a;0;0;TC2S", "abc", Bytes({0x61, 0x62, 0x63, 0, 0, 0, 0, 0}), ""},
    {"characters cut at the length", "F;2;x;y=a;2;0;TC2S", "abc", Bytes({0x61, 0x62}), "ab"},
    {"Windows-1252 characters", "F;3;x;y=a;3;0;TC2S", "\u20AC\u00E9", Bytes({0x80, 0xE9, 0}), "\u20AC\u00E9"},
    {"base64", "F;8;x;y=a;0;0;TS2BASE64", "abc", Bytes({'Y', 'W', 'J', 'j', 0, 0, 0, 0}), "abc"},
    {"base64 cut at the length", "F;3;x;y=a;0;0;TS2BASE64", "abcd", Bytes({'Y', 'W', 'J'}), "ab"},
    {"padding", "F;3;x;y=a;0;7;none", "9", Bytes({0, 0, 0}), "9"},
};

INSTANTIATE_TEST_SUITE_P(Opcodes, CodecCases, ::testing::ValuesIn(kCodecCases),
                         [](const auto& info) { return TestName(info.param.what); });

class FieldCodecTest : public EngineTest
{
};

TEST_F(FieldCodecTest, PaddingShiftsTheNextFieldBothWays)
{
    Load("A;1;x;y=a;0;1;TB2S\r\nGap;10;x;y=a;0;0;pad\r\nB;1;x;y=a;0;2;TB2S\r\n");
    const auto wire = Encode();
    ASSERT_EQ(wire.size(), 12u);
    EXPECT_EQ(wire[0], 1);
    EXPECT_EQ(wire[11], 2);
    std::vector<uint8_t> reply(12, 0);
    reply[11] = 77;
    LoadReplyBody(reply);
    m_engine->DecodeReply(0xA8);
    EXPECT_EQ(Field("B"), "77");
    EXPECT_EQ(Field("Gap"), "0");
}

TEST_F(FieldCodecTest, ModesDecideWhereFieldsStart)
{
    Load("A;1;x;y=a;0;5;TB2S\r\n");
    m_engine->LoadReply(Bytes({11, 0, 0, 0, 1, 0, 66}));
    m_engine->DecodeReply(0xA2); // not a decoding mode
    EXPECT_EQ(Field("A"), "5");
    m_engine->DecodeReply(0xA1);
    EXPECT_EQ(Field("A"), "11");
    m_engine->DecodeReply(0xA3);
    EXPECT_EQ(Field("A"), "66");
}

TEST_F(FieldCodecTest, CapabilityListNamesEachWord)
{
    Load("A;1;x;y=a;0;5;TB2S\r\n");
    m_engine->LoadReply(Bytes({0, 0, 0, 0, 6, 0, 3, 0, 16, 0, 0xFF, 0x03}));
    m_engine->DecodeReply(0xA5);
    ASSERT_EQ(Count(), 3);
    EXPECT_EQ(Field("OPCode01"), "3");
    EXPECT_EQ(Field("OPCode02"), "16");
    EXPECT_EQ(Field("OPCode03"), "1023");
    EXPECT_EQ(Field("A"), "ERROR");
    EXPECT_EQ(Encode().size(), 0u);
}

TEST_F(FieldCodecTest, CapabilityListHoldsAtMost200Entries)
{
    std::vector<uint8_t> reply(6 + 2 * 300, 0);
    reply[4] = 0xFF;
    reply[5] = 0xFF;
    reply[6 + 2 * 199] = 9;
    m_engine->LoadReply(reply);
    m_engine->DecodeReply(0xA5);
    EXPECT_EQ(Count(), 200);
    EXPECT_EQ(Field("OPCode200"), "9");
}

TEST_F(FieldCodecTest, EmptyTableEncodesNothing)
{
    Load("// nothing\r\n");
    EXPECT_EQ(Encode().size(), 0u);
    EXPECT_EQ(m_engine->EncodedLength(), 0);
}

TEST_F(FieldCodecTest, LengthsOutsideTheFieldRangeAreClamped)
{
    Load("Big;300;x;y=a;0;1;TB2S\r\nNeg;-5;x;y=a;0;2;TB2S\r\nWord;abc;x;y=a;0;3;TB2S\r\nEnd;1;x;y=a;0;4;"
         "TB2S\r\n");
    const auto wire = Encode();
    ASSERT_EQ(wire.size(), TemplateEngine::kMaxFieldLength + 1);
    EXPECT_EQ(wire.front(), 1);
    EXPECT_EQ(wire.back(), 4);
}

TEST_F(FieldCodecTest, FieldsPastThePacketBufferAreCut)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "F" + std::to_string(i) + ";259;x;y=a;259;abc;TC2S\r\n";
    Load(text);
    EXPECT_EQ(Encode().size(), TemplateEngine::kPacketBufferSize - TemplateEngine::kHeaderSlot);
    m_engine->DecodeReply(0xA3);
    EXPECT_EQ(Field("F0"), "abc");
    EXPECT_EQ(Field("F49"), "");
}

TEST_F(FieldCodecTest, ShortReplyDecodesMissingBytesAsZero)
{
    Load("A;2;x;y=a;0;1;TW2S\r\nB;2;x;y=a;0;2;TW2S\r\nS;4;x;y=a;4;abc;TC2S\r\n");
    Encode(); // leaves request bytes in the buffers
    LoadReplyBody(Bytes({5, 0}));
    m_engine->DecodeReply(0xA3);
    EXPECT_EQ(Field("A"), "5");
    EXPECT_EQ(Field("B"), "0");
    EXPECT_EQ(Field("S"), "");
}

TEST_F(FieldCodecTest, Base64FieldOutsideTheAlphabetIsAnError)
{
    Load("F;4;x;y=a;0;0;TS2BASE64\r\n");
    LoadReplyBody(Bytes({'Y', '*', 'J', 'j'}));
    m_engine->DecodeReply(0xA3);
    EXPECT_EQ(Field("F"), "ERROR");
}

TEST_F(FieldCodecTest, CredentialFieldsGoThroughTheCipher)
{
    Load("ID;4;x;y=a;0;0;TS2CVEncode\r\n");
    m_engine->SetFieldText(u"ID", u"ab");
    std::array<uint8_t, 4> plain = {'a', 'b', 0, 0};
    std::array<uint8_t, 4> expected{};
    CredentialCipher(plain.data(), plain.size(), expected.data());
    EXPECT_EQ(Encode(), std::vector<uint8_t>(expected.begin(), expected.end()));

    Load("ID;4;x;y=a;0;0;TS2CVDecode\r\n");
    LoadReplyBody(std::vector<uint8_t>(expected.begin(), expected.end()));
    m_engine->DecodeReply(0xA3);
    std::array<uint8_t, 4> twice{};
    CredentialCipher(expected.data(), expected.size(), twice.data());
    std::string text;
    for (uint8_t b : twice) {
        if (!b)
            break;
        text.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(Field("ID"), ToUtf8(AnsiToUtf16(text)));
}

} // namespace
