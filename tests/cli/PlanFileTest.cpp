// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/PlanFile.h"

#include "tests/unit/TestName.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string kHeader = "mac,name,dhcp\n";
const std::string kMac = "02:00:00:00:00:01";

struct PlanCase
{
    const char* what;
    std::string text;
    std::string error;   // part of the file's error; empty: the file is used
    std::string refused; // part of the first row's refusal; empty: the row goes on
    std::u16string name; // the first row's name, when it goes on
};

void PrintTo(const PlanCase& c, std::ostream* os)
{
    *os << c.what;
}

class PlanTextTest : public testing::TestWithParam<PlanCase>
{
};

TEST_P(PlanTextTest, ReadsOrRefuses)
{
    const PlanCase& c = GetParam();
    const PlanFile plan = ParsePlan(c.text);
    if (!c.error.empty()) {
        EXPECT_NE(plan.error.find(c.error), std::string::npos) << plan.error;
        EXPECT_TRUE(plan.rows.empty()) << "no row of an unusable file may be used";
        return;
    }
    ASSERT_EQ(plan.error, "");
    ASSERT_FALSE(plan.rows.empty());
    const PlanRow& row = plan.rows.front();
    if (!c.refused.empty()) {
        EXPECT_NE(row.refused.find(c.refused), std::string::npos) << row.refused;
        return;
    }
    EXPECT_EQ(row.refused, "");
    EXPECT_EQ(row.name, c.name);
}

const std::string kHugeCell(200000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanTextTest,
    testing::Values(
        PlanCase{"byte-order mark of CSV UTF-8", "\xEF\xBB\xBF" + kHeader + kMac + ",Door,\n", "", "",
                 u"Door"},
        PlanCase{"CRLF line ends", "mac,name\r\n" + kMac + ",Door\r\n", "", "", u"Door"},
        PlanCase{"quoted: commas, quotes and end spaces kept", kHeader + kMac + ", \" Door, \"\"A\"\" \" ,\n",
                 "", "", u" Door, \"A\" "},
        PlanCase{"unquoted: end spaces dropped, a quote inside kept", kHeader + kMac + ",  Do\"or  ,\n", "",
                 "", u"Do\"or"},
        PlanCase{"comments and empty lines skipped", "# site\n\n" + kHeader + "  \n# x\n" + kMac + ",Door,\n",
                 "", "", u"Door"},
        PlanCase{"quote left open", kHeader + kMac + ",\"Door,\n02:00:00:00:00:02,Gate,\n",
                 "line 2: a quote is not closed", "", u""},
        PlanCase{"quote left open in the first line", "mac,\"name\n", "line 1: a quote is not closed", "",
                 u""},
        PlanCase{"text after a closing quote", kHeader + kMac + ",\"Door\" A,\n",
                 "line 2: text after a closing quote", "", u""},
        PlanCase{"NUL byte in a cell", kHeader + kMac + std::string(",Do\0or,\n", 8), "line 2: a NUL byte",
                 "", u""},
        PlanCase{"UTF-16 text", std::string("\xFF\xFEm\0a\0c\0\n\0", 10), "line 1: a NUL byte", "", u""},
        PlanCase{"nothing but comments", "# mac,name\n", "the file is empty", "", u""},
        PlanCase{"unknown column, cut", "mac," + kHugeCell + "\n", "unknown column 'xxxxxxxxxx", "", u""},
        PlanCase{"more cells than columns", kHeader + kMac + ",Door,1,extra\n", "", "4 cells, but 3 columns",
                 u""},
        PlanCase{"a line of commas", kHeader + kMac + std::string(1000000, ','), "",
                 "1000001 cells, but 3 columns", u""},
        PlanCase{"huge MAC cell", kHeader + kHugeCell + ",Door,\n", "", "x...' is not a MAC address", u""},
        PlanCase{"huge dhcp cell", kHeader + kMac + ",Door," + kHugeCell + "\n", "",
                 "x...' is neither 1 nor 0", u""},
        PlanCase{"control characters shown as ?", kHeader + kMac + ",Door,\x1b[2J\n", "", "dhcp '?[2J'",
                 u""}),
    [](const auto& info) { return TestName(info.param.what); });

TEST(PlanTextTest, MessagesNeverEchoAHugeCell)
{
    const PlanFile plan = ParsePlan(kHeader + kHugeCell + ",Door," + kHugeCell + "\n" + kMac + ",Door,1\n" +
                                    kMac + ",Door,1\n");
    ASSERT_EQ(plan.rows.size(), 3u);
    for (const PlanRow& row : plan.rows) {
        EXPECT_LT(row.refused.size(), 100u) << row.refused.substr(0, 100);
        EXPECT_LT(row.mac.size(), 100u);
    }
    EXPECT_EQ(plan.rows[2].refused, "the camera of row 3 again");
}

TEST(PlanTextTest, AnEmptyNewPasswordCellLeavesThePasswordAlone)
{
    const PlanFile plan = ParsePlan("mac,new_password\n" + kMac + ",\n02:00:00:00:00:02,\"\"\n" +
                                    "02:00:00:00:00:03,  \n02:00:00:00:00:04,\" \"\n");
    ASSERT_EQ(plan.rows.size(), 4u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(plan.rows[i].newPassword, std::nullopt) << "row " << plan.rows[i].row;
    EXPECT_EQ(plan.rows[3].newPassword, u" ") << "a quoted space is a password";
}

TEST(PlanTextTest, RowsUpToTheLimit)
{
    std::string text = "mac\n";
    for (size_t i = 0; i < kMaxPlanRows; ++i)
        text += "02:00:00:" + std::to_string(100000 + i).substr(0, 2) + ":" +
                std::to_string(100000 + i).substr(2, 2) + ":" + std::to_string(100000 + i).substr(4, 2) +
                "\n";
    const PlanFile full = ParsePlan(text);
    EXPECT_EQ(full.error, "");
    EXPECT_EQ(full.rows.size(), kMaxPlanRows);
    const PlanFile over = ParsePlan(text + "02:00:00:99:99:99\n");
    EXPECT_EQ(over.error, "line " + std::to_string(kMaxPlanRows + 2) + ": more than " +
                              std::to_string(kMaxPlanRows) + " rows; split the plan");
    EXPECT_TRUE(over.rows.empty());
}

class PlanFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/quillane-plan-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(PlanFileTest, OnlyARegularFileWithinTheLimitIsRead)
{
    std::ofstream(folder / "plan.csv") << kHeader << kMac << ",Door,\n";
    EXPECT_EQ(ReadPlanFile(folder / "plan.csv").rows.size(), 1u);

    const std::filesystem::path big = folder / "big.csv";
    std::ofstream(big) << kHeader;
    std::filesystem::resize_file(big, kMaxPlanBytes + 1);
    const std::filesystem::path fifo = folder / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::filesystem::path, std::string> refused[] = {
        {folder / "missing.csv", "cannot read it: No such file or directory"},
        {folder, "not a regular file"},
        {fifo, "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {big, "larger than 16 MiB"},
    };
    for (const auto& [path, error] : refused) {
        SCOPED_TRACE(path.string());
        const PlanFile plan = ReadPlanFile(path);
        EXPECT_NE(plan.error.find(error), std::string::npos) << plan.error;
        EXPECT_TRUE(plan.rows.empty());
    }
}

} // namespace
