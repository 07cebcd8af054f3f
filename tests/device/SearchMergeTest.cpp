// SPDX-License-Identifier: Apache-2.0
#include "device/SearchMerge.h"

#include "device/DeviceProtocol.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using namespace DeviceProtocol;

namespace {

// A reply from the camera whose MAC ends in the letter, as heard on an adapter entry.
TemplateCameraRecord Reply(char camera, int32_t entry)
{
    std::vector<uint8_t> reply(kHeaderSize, 0);
    reply[kMacOffset + 5] = static_cast<uint8_t>(camera);
    return TemplateCameraRecord::FromReply(reply, entry);
}

// "A0 B1": each listed camera's letter and adapter entry, in list order.
std::string Listed(const std::vector<TemplateCameraRecord>& listed)
{
    std::string text;
    for (const TemplateCameraRecord& record : listed)
        text += (text.empty() ? "" : " ") + std::string(1, static_cast<char>(record.Mac()[5])) +
                std::to_string(record.AdapterEntry());
    return text;
}

// "2/1 0/3": accepted/duplicates per pass.
std::string Counts(const std::vector<AdapterSearchFigures>& figures)
{
    std::string text;
    for (const AdapterSearchFigures& f : figures)
        text += (text.empty() ? "" : " ") + std::to_string(f.repliesAccepted) + "/" +
                std::to_string(f.duplicatesDropped);
    return text;
}

struct MergeCase
{
    const char* name;
    size_t passes;
    // "1:X" pass 1 hears camera X; "end0" pass 0 finishes. In wall-clock order.
    std::vector<std::string> events;
    std::string listed;
    std::string counts;
};

TEST(SearchMergeTest, ListsWhatGoingThroughTheAdaptersInTurnWouldAndOnlyEverAppends)
{
    const MergeCase cases[] = {
        {"one pass keeps arrival order and drops its own repeats",
         1,
         {"0:A", "0:B", "0:A", "0:C", "end0"},
         "A0 B0 C0",
         "3/1"},
        {"a camera heard first by a later pass goes to the earlier one",
         2,
         {"1:X", "1:C", "0:X", "0:A", "end1", "end0"},
         "X0 A0 C1",
         "2/0 1/1"},
        {"every answer a later pass held for a listed camera is a duplicate",
         2,
         {"1:X", "1:X", "1:X", "0:X", "end0", "1:X", "end1"},
         "X0",
         "1/0 0/4"},
        {"passes that end out of order are listed in adapter order",
         3,
         {"2:C", "1:B", "end2", "0:A", "end1", "0:D", "end0"},
         "A0 D0 B1 C2",
         "2/0 1/0 1/0"},
        {"the next pass lists live once the earlier ones ended",
         2,
         {"1:B", "end0", "1:C", "1:B", "end1"},
         "B1 C1",
         "0/0 2/1"},
        {"a camera on every adapter is listed once, on the first",
         3,
         {"2:X", "1:X", "0:X", "2:Y", "end2", "end1", "end0"},
         "X0 Y2",
         "1/0 0/1 1/1"},
        {"a finished pass hears nothing more", 2, {"0:A", "end0", "0:B", "end1"}, "A0", "1/0 0/0"},
        {"a pass that is not part of the search is ignored", 1, {"3:A", "end3", "end0"}, "", "0/0"},
        {"no pass at all", 0, {"end0"}, "", ""},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TemplateCameraRecord> listed;
        std::vector<AdapterSearchFigures> figures(c.passes);
        SearchMerge merge(listed, figures);
        merge.Start(c.passes);
        std::vector<std::string> seen;
        for (const std::string& event : c.events) {
            if (event.rfind("end", 0) == 0) {
                merge.Finished(std::stoul(event.substr(3)));
            } else {
                const size_t pass = std::stoul(event.substr(0, event.find(':')));
                merge.Heard(pass, Reply(event.back(), static_cast<int32_t>(pass)));
            }
            seen.push_back(Listed(listed));
        }
        EXPECT_EQ(Listed(listed), c.listed);
        EXPECT_EQ(Counts(figures), c.counts);
        // A polling reader must only ever see the list grow at its end.
        for (const std::string& then : seen)
            EXPECT_EQ(c.listed.substr(0, then.size()), then) << "seen mid-search";
    }
}

// A second search starts from nothing: no pass is left finished or holding cameras.
TEST(SearchMergeTest, StartForgetsTheLastSearch)
{
    std::vector<TemplateCameraRecord> listed;
    std::vector<AdapterSearchFigures> figures(2);
    SearchMerge merge(listed, figures);
    merge.Start(2);
    merge.Heard(1, Reply('B', 1));
    merge.Finished(0);
    listed.clear();
    figures.assign(2, {});
    merge.Start(2);
    merge.Heard(1, Reply('C', 1));
    merge.Heard(0, Reply('A', 0));
    EXPECT_EQ(Listed(listed), "A0");
    merge.Finished(0);
    EXPECT_EQ(Listed(listed), "A0 C1");
}

// A reply from camera number n (MAC 02:00:nn:nn:nn:nn), as heard on an adapter entry.
TemplateCameraRecord Numbered(uint32_t n, int32_t entry)
{
    std::vector<uint8_t> reply(kHeaderSize, 0);
    reply[kMacOffset] = 0x02;
    for (int i = 0; i < 4; ++i)
        reply[kMacOffset + 2 + static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (24 - 8 * i));
    return TemplateCameraRecord::FromReply(reply, entry);
}

uint32_t NumberOf(const TemplateCameraRecord& record)
{
    const MacBytes mac = record.Mac();
    return static_cast<uint32_t>(mac[2]) << 24 | static_cast<uint32_t>(mac[3]) << 16 |
           static_cast<uint32_t>(mac[4]) << 8 | mac[5];
}

struct Burst
{
    size_t pass;
    uint32_t first = 0; // cameras first .. first + count - 1, each answering `answers` times;
    uint32_t count = 0; // no cameras: the pass finishes
    int answers = 1;
};

struct CapCase
{
    const char* name;
    size_t passes;
    uint32_t known; // cameras 0 .. known - 1 are in the list before the search starts
    std::vector<Burst> bursts;
    std::vector<std::pair<uint32_t, uint32_t>> listed; // runs of camera numbers: first, count
    std::string counts;                                // accepted/duplicates/over the limit per pass
};

TEST(SearchMergeTest, ListsNoMoreThanTheLimitAndCountsTheAnswersItDrops)
{
    constexpr uint32_t kMax = SearchMerge::kMaxCameras;
    const CapCase cases[] = {
        {"one pass lists the first cameras up to the limit; repeats of listed ones stay duplicates",
         1,
         0,
         {{0, 0, kMax + 10, 2}, {0}},
         {{0, kMax}},
         "4096/4096/20"},
        {"a later pass fills the list up to the limit once the earlier one ended",
         2,
         0,
         {{1, 0, kMax + 5}, {0, 0, 10}, {0}, {1}},
         {{0, kMax}},
         "10/0/0 4086/10/5"},
        {"a later pass holds only what the list could still take from it",
         2,
         0,
         {{1, 0, 2 * kMax + 3}, {0, 0, kMax}, {0}, {1}},
         {{0, kMax}},
         "4096/0/0 0/4096/4099"},
        {"cameras in the list before the start count against the limit and as listed",
         1,
         100,
         {{0, 50, kMax}, {0}},
         {{0, kMax}},
         "3996/50/50"},
    };
    for (const CapCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TemplateCameraRecord> listed;
        for (uint32_t n = 0; n < c.known; ++n)
            listed.push_back(Numbered(n, 0));
        std::vector<AdapterSearchFigures> figures(c.passes);
        SearchMerge merge(listed, figures);
        merge.Start(c.passes);
        for (const Burst& burst : c.bursts) {
            if (burst.count == 0)
                merge.Finished(burst.pass);
            for (uint32_t n = burst.first; n < burst.first + burst.count; ++n) {
                for (int i = 0; i < burst.answers; ++i)
                    merge.Heard(burst.pass, Numbered(n, static_cast<int32_t>(burst.pass)));
            }
        }
        std::vector<uint32_t> expected;
        for (const auto& [first, count] : c.listed) {
            for (uint32_t n = first; n < first + count; ++n)
                expected.push_back(n);
        }
        std::vector<uint32_t> numbers;
        for (const TemplateCameraRecord& record : listed)
            numbers.push_back(NumberOf(record));
        EXPECT_EQ(numbers, expected);
        std::string counts;
        for (const AdapterSearchFigures& f : figures)
            counts += (counts.empty() ? "" : " ") + std::to_string(f.repliesAccepted) + "/" +
                      std::to_string(f.duplicatesDropped) + "/" + std::to_string(f.overLimitDropped);
        EXPECT_EQ(counts, c.counts);
    }
}

} // namespace
