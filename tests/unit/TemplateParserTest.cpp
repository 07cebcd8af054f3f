// SPDX-License-Identifier: Apache-2.0
#include "tests/unit/EngineFixture.h"
#include "tests/unit/TestName.h"

#include <string>

namespace {

class TemplateParserTest : public EngineTest
{
};

TEST_F(TemplateParserTest, FieldLineFillsEveryMember)
{
    Load("Port;2;x;y=a;0;80;TW2S\r\n");
    ASSERT_EQ(Count(), 1);
    const FieldEntry& e = Entry(0);
    EXPECT_EQ(Utf8(e.name), "Port");
    EXPECT_EQ(e.length, 2);
    EXPECT_EQ(Utf8(e.attr1), "x");
    EXPECT_EQ(Utf8(e.attr2), "y");
    EXPECT_EQ(Utf8(e.attr3), "a");
    EXPECT_EQ(e.textLimit, 0);
    EXPECT_EQ(Utf8(e.defaultValue), "80");
    EXPECT_EQ(Utf8(e.value), "80");
    EXPECT_EQ(Utf8(e.opcode), "TW2S");
    EXPECT_EQ(e.kind, FieldKind::Template);
}

struct ParseCase
{
    const char* what;
    const char* text;
    int count;
    const char* names; // the entries' names joined by ","
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.what;
}

class ParseCases : public EngineTest, public ::testing::WithParamInterface<ParseCase>
{
};

TEST_P(ParseCases, GivesTheExpectedEntries)
{
    Load(GetParam().text);
    ASSERT_EQ(Count(), GetParam().count);
    std::string names;
    for (int i = 0; i < Count(); ++i)
        names += (i ? "," : "") + Utf8(Entry(i).name);
    EXPECT_EQ(names, GetParam().names);
}

const ParseCase kParseCases[] = {
    {"comments only", "// one\r\n/ two\r\n", 0, ""},
    {"sections and comments add nothing", "[Header]\r\n// c\r\nA;1;x;y=a;0;1;TB2S\r\n", 1, "A"},
    {"three left items end the parse", "A;1;x;y=a;0;1;TB2S\r\nB;1;x=a;0;1;TB2S\r\nC;1;x;y=a;0;1;TB2S\r\n", 0,
     ""},
    {"space inside the length ends the parse", "A;1 2;x;y=a;0;1;TB2S\r\n", 0, ""},
    {"space around the name is dropped", " A ;1;x;y=a;0;1;TB2S\r\n", 1, "A"},
    {"space inside the name empties it", "A B;1;x;y=a;0;1;TB2S\r\n", 1, ""},
    {"runs of separators count as one", ";;A;;1;x;;y=;a;;0;1;TB2S\r\n", 1, "A"},
    {"final line without CR LF", "A;1;x;y=a;0;1;TB2S\r\nB;1;x;y=a;0;2;TB2S", 2, "A,B"},
    {"final line missing a left item is kept", "A;1;x;y=a;0;1;TB2S\r\nB;1;x=a;0;2;TB2S", 2, "A,B"},
    {"bare field line", "A;4;x;y\r\n", 1, "A"},
    {"empty lines add nothing", "\r\n\r\nA;1;x;y=a;0;1;TB2S\r\n", 1, "A"},
    {"empty text", "", 0, ""},
    {"a line feed alone is no separator", "A;1;x;y=a;0;1;TB2S\nB;1;x;y=a;0;1;TB2S\n", 1, "A"},
};

INSTANTIATE_TEST_SUITE_P(Lines, ParseCases, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return TestName(info.param.what); });

TEST_F(TemplateParserTest, MalformedLineLeavesEveryLookupAnError)
{
    Load("A;1;x;y=a;0;1;TB2S\r\nB;1;x=a;0;1;TB2S\r\n");
    EXPECT_EQ(Field("A"), "ERROR");
    EXPECT_EQ(Encode().size(), 0u);
}

TEST_F(TemplateParserTest, RightSideCarriesOverFromThePreviousLine)
{
    Load("A;2;x;y=a;5;7;TW2S\r\nB;2;x;y=\r\nC;1;x;y=b; ;9\r\n");
    ASSERT_EQ(Count(), 3);
    EXPECT_EQ(Utf8(Entry(1).opcode), "TW2S");
    EXPECT_EQ(Entry(1).textLimit, 5);
    EXPECT_EQ(Utf8(Entry(1).defaultValue), "7");
    EXPECT_EQ(Utf8(Entry(1).value), "");
    // An empty right item is skipped: the member keeps the earlier line's content.
    EXPECT_EQ(Utf8(Entry(2).attr3), "b");
    EXPECT_EQ(Entry(2).textLimit, 5);
    EXPECT_EQ(Utf8(Entry(2).value), "9");
    EXPECT_EQ(Utf8(Entry(2).opcode), "TW2S");
}

// A line of blanks and a ";;" line both add an unnamed field that repeats the line before: the
// field after them lands that much further on.
TEST_F(TemplateParserTest, BlankAndSeparatorOnlyLinesRepeatThePreviousField)
{
    for (const char* filler : {"   ", "\t ", ";;"}) {
        SCOPED_TRACE(testing::PrintToString(filler));
        Load(std::string("A;2;x;y=a;0;513;TW2S\r\n") + filler + "\r\nB;1;x;y=a;0;7;TB2S\r\n");
        ASSERT_EQ(Count(), 3);
        const FieldEntry& gap = Entry(1);
        EXPECT_EQ(Utf8(gap.name), "");
        EXPECT_EQ(gap.length, 2);
        EXPECT_EQ(Utf8(gap.opcode), "TW2S");
        EXPECT_EQ(Utf8(gap.value), "");
        EXPECT_EQ(Encode(), (std::vector<uint8_t>{0x01, 0x02, 0x00, 0x00, 0x07}));
    }
    // The final remainder is parsed the same way.
    Load("A;2;x;y=a;0;1;TW2S\r\n  ");
    EXPECT_EQ(Count(), 2);
}

TEST_F(TemplateParserTest, TabInsideAnItemIsKept)
{
    Load("A;1;x\ty;z=a;0;1;TB2S\r\n");
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Utf8(Entry(0).attr1), "x\ty");
}

TEST_F(TemplateParserTest, ItemsAreCutToTheirMemberWidths)
{
    const std::string longAttr(40, 'a');
    const std::string longDefault(200, 'd');
    Load(std::string(200, 'n') + ";1;" + longAttr + ";y=" + longAttr + ";0;" + longDefault + ";TC2S\r\n");
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Entry(0).name.size(), 200u);
    EXPECT_EQ(Entry(0).attr1.size(), FieldWidths::kAttr - 1);
    EXPECT_EQ(Entry(0).attr3.size(), FieldWidths::kAttr - 1);
    EXPECT_EQ(Entry(0).defaultValue.size(), FieldWidths::kDefaultValue - 1);
    EXPECT_EQ(Entry(0).value, Entry(0).defaultValue);
    EXPECT_EQ(Utf8(Entry(0).opcode), "TC2S");
}

TEST_F(TemplateParserTest, SidesLongerThanTheirWorkingBufferAreCut)
{
    // The left side is cut at 255 characters, which loses attr2 here and so ends the parse.
    Load(std::string(250, 'n') + ";1;x;y=a;0;1;TB2S\r\n");
    EXPECT_EQ(Count(), 0);
}

TEST_F(TemplateParserTest, TheTwoHundredAndFirstFieldIsDropped)
{
    std::string text;
    for (int i = 0; i < 205; ++i)
        text += "F" + std::to_string(i) + ";1;x;y=a;0;" + std::to_string(i % 100) + ";TB2S\r\n";
    Load(text);
    EXPECT_EQ(Count(), PacketTemplate::kMaxFields);
    EXPECT_EQ(Field("F199"), "99");
    EXPECT_EQ(Field("F200"), "ERROR");
    EXPECT_EQ(Encode().size(), 200u);
}

TEST_F(TemplateParserTest, LongLinesAndBinaryTextNeverOverrun)
{
    Load(std::string(10000, 'x') + "=" + std::string(9000, ';'));
    EXPECT_LE(Count(), 1);
    std::string binary;
    for (int i = 0; i < 9999; ++i)
        binary.push_back(static_cast<char>((i * 37 + 11) % 256 ? (i * 37 + 11) % 256 : 1));
    Load(binary);
    Encode();
    m_engine->DecodeReply(0xA3);
    SUCCEED();
}

} // namespace
