// SPDX-License-Identifier: Apache-2.0
#include "platform/RegularFile.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class RegularFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/quillane-file-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path Write(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    }

    std::filesystem::path folder;
};

TEST_F(RegularFileTest, ReadsAWholeFileUpToTheLimit)
{
    EXPECT_EQ(ReadRegularFile(Write("four", "a\0bc"), 4), std::string("a\0bc"));
    EXPECT_EQ(ReadRegularFile(Write("empty", ""), 4), std::string());
    EXPECT_EQ(ReadRegularFile(Write("five", "abcde"), 4), std::nullopt);
}

TEST_F(RegularFileTest, ReadsTheStartOfAFileUpToTheLimit)
{
    EXPECT_EQ(ReadRegularFileStart(Write("five", "abcde"), 4), "abcd");
    EXPECT_EQ(ReadRegularFileStart(Write("two", std::string("a\0", 2)), 4), std::string("a\0", 2));
    EXPECT_EQ(ReadRegularFileStart(Write("empty", ""), 4), std::string());
    EXPECT_EQ(ReadRegularFileStart(Write("any", "abc"), 0), std::string());
}

TEST_F(RegularFileTest, WhatIsNoRegularFileGivesNothingAtOnce)
{
    const auto fifo = folder / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path :
         {folder / "missing", folder, fifo, std::filesystem::path("/dev/zero")}) {
        SCOPED_TRACE(path.string());
        EXPECT_EQ(ReadRegularFile(path, 1 << 20), std::nullopt);
        EXPECT_EQ(ReadRegularFileStart(path, 1 << 20), std::nullopt);
    }
}

TEST_F(RegularFileTest, FollowsALinkToARegularFileButNotToADevice)
{
    std::filesystem::create_symlink(Write("target", "xy"), folder / "good");
    std::filesystem::create_symlink("/dev/zero", folder / "endless");
    EXPECT_EQ(ReadRegularFile(folder / "good", 8), "xy");
    EXPECT_EQ(ReadRegularFile(folder / "endless", 8), std::nullopt);
}

} // namespace
