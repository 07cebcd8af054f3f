// SPDX-License-Identifier: Apache-2.0
#include "tests/unit/EngineFixture.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

class FieldTableTest : public EngineTest
{
protected:
    std::filesystem::path WriteFile(const std::string& name, const std::string& bytes)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    void LoadFile(const std::string& name)
    {
        ASSERT_TRUE(m_engine->LoadTemplateFile(m_folder, name));
        m_engine->ClearFields();
        m_engine->ResetFields();
        m_engine->ParseTemplate(u"\r\n");
    }

    void SetUp() override { std::filesystem::create_directories(m_folder); }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder =
        std::filesystem::temp_directory_path() / ("quillane-fieldtable-" + std::to_string(::getpid()));
};

TEST_F(FieldTableTest, UnknownNamesReadAsErrorAndAreAppendedWhenSet)
{
    Load("Port;2;x;y=a;0;80;TW2S\r\n");
    EXPECT_EQ(Field("Webport"), "ERROR");
    EXPECT_EQ(Field(""), "ERROR");
    EXPECT_EQ(m_engine->SetFieldText(u"Webport", u"8080"), -1);
    ASSERT_EQ(Count(), 2);
    EXPECT_EQ(Entry(1).kind, FieldKind::Program);
    EXPECT_EQ(Entry(1).length, 0);
    EXPECT_EQ(Field("Webport"), "8080");
    // The appended entry never reaches the wire.
    EXPECT_EQ(Encode(), (std::vector<uint8_t>{80, 0}));
    EXPECT_EQ(m_engine->SetFieldText(u"", u"x"), 0);
}

TEST_F(FieldTableTest, SetFieldIntWritesDecimalTextIntoTheFirstMatch)
{
    Load("A;1;x;y=a;0;1;TB2S\r\nA;1;x;y=a;0;2;TB2S\r\n");
    EXPECT_EQ(m_engine->SetFieldInt(u"A", -42), -1);
    EXPECT_EQ(Utf8(Entry(0).value), "-42");
    EXPECT_EQ(Entry(0).kind, FieldKind::Program);
    EXPECT_EQ(Utf8(Entry(1).value), "2");
}

TEST_F(FieldTableTest, SetValueIsCutToTheValueWidth)
{
    Load("A;1;x;y=a;0;1;TC2S\r\n");
    m_engine->SetFieldText(u"A", std::u16string(500, u'v'));
    EXPECT_EQ(Entry(0).value.size(), FieldWidths::kValue - 1);
}

TEST_F(FieldTableTest, DumpWritesNameEqualsValueLines)
{
    Load("A;1;x;y=a;0;1;TB2S\r\nB;1;x;y=a;0;;TB2S\r\n");
    m_engine->SetFieldText(u"B", u"");
    m_engine->DumpFields(u"\r\n");
    EXPECT_EQ(Utf8(m_engine->DumpText()), "A=1\r\nB=\r\n");
}

TEST_F(FieldTableTest, DumpIsCappedAtItsBuffer)
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "Field" + std::to_string(i) + ";1;x;y=a;0;123456789;TC2S\r\n";
    Load(text);
    m_engine->DumpFields(u"\r\n");
    const std::string dump = Utf8(m_engine->DumpText());
    EXPECT_EQ(dump.size(), TemplateEngine::kDumpCapacity);
    EXPECT_TRUE(dump.starts_with("Field0=123456789\r\nField1="));
}

TEST_F(FieldTableTest, FileIsReadInTheAnsiCodePage)
{
    WriteFile("Euro_temp", "Price;4;x;y=a;4;\x80\xE9;TC2S\r\n");
    LoadFile("Euro_temp");
    EXPECT_EQ(Field("Price"), "\u20AC\u00E9");
}

TEST_F(FieldTableTest, OnlyTheFirst9999BytesAreUsed)
{
    std::string text;
    while (text.size() < 9999 - 30)
        text += "// filler filler filler\r\n";
    text.resize(9999 - 20, '/');
    text += "\r\nCut;1;x;y=a;0;7;TB2S\r\nLost;1;x;y=a;0;8;TB2S\r\n";
    text += std::string(20000, 'z');
    WriteFile("Long_temp", text);
    LoadFile("Long_temp");
    // The line cut in the middle is parsed as far as it goes.
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Field("Cut"), "7");
    EXPECT_EQ(Utf8(Entry(0).opcode), "TB");
    EXPECT_EQ(Field("Lost"), "ERROR");
}

TEST_F(FieldTableTest, NulByteEndsTheText)
{
    WriteFile("Nul_temp", std::string("A;1;x;y=a;0;1;TB2S\r\n\0B;1;x;y=a;0;1;TB2S\r\n", 41));
    LoadFile("Nul_temp");
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Field("B"), "ERROR");
}

TEST_F(FieldTableTest, WhatIsNoTemplateFileLeavesTheTableAlone)
{
    Load("A;1;x;y=a;0;1;TB2S\r\n");
    // A named pipe that nobody writes to is refused at once rather than waited on.
    ASSERT_EQ(::mkfifo((m_folder / "Pipe_temp").c_str(), 0600), 0);
    std::filesystem::create_directory(m_folder / "Folder_temp");
    for (const char* name : {"Missing_temp", "", "Pipe_temp", "Folder_temp"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(m_engine->LoadTemplateFile(m_folder, name));
    }
    EXPECT_EQ(Field("A"), "1");
}

} // namespace
