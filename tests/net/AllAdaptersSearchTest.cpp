// SPDX-License-Identifier: Apache-2.0
// A search goes through every adapter at the same time; its list must be the one that searching
// the adapters one after the other gives. The reference here is that older walk: each adapter
// searched alone, the results merged in adapter order, a camera an earlier adapter listed dropped.

#include "device/AdapterTable.h"
#include "tests/net/NetFixture.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using Listing = std::vector<std::pair<std::string, int32_t>>; // MAC text, adapter entry

std::string MacText(const TemplateCameraRecord& record)
{
    const std::u16string text = FormatMac(record.Mac());
    return std::string(text.begin(), text.end());
}

Listing Listed(const std::vector<TemplateCameraRecord>& cameras)
{
    Listing listing;
    for (const TemplateCameraRecord& record : cameras)
        listing.emplace_back(MacText(record), record.AdapterEntry());
    return listing;
}

struct Host
{
    std::string name;
    std::string link;
    std::string address;
    std::vector<std::string> simulator;
};

struct Layout
{
    const char* name;
    std::vector<std::pair<std::string, std::string>> adapters; // link, address (eth0, eth1, ... in order)
    std::vector<Host> hosts;
};

// The same ten cameras over one, two and four adapters: A1-A3, B1-B3, C1-C3 and X. X answers on
// two links, late on the earlier adapter's, so the later adapter hears it first.
const std::vector<std::string> kSetA = {"--camera", "mac=02:00:00:0a:00:01", "--count", "3"};
const std::vector<std::string> kSetB = {"--camera", "mac=02:00:00:0b:00:01", "--count", "3"};
const std::vector<std::string> kSetC = {"--camera", "mac=02:00:00:0c:00:01", "--count", "3"};
const std::vector<std::string> kX = {"--camera", "mac=02:00:00:0f:00:01"};

std::vector<std::string> Join(std::vector<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Several simulators on one link answer at clearly different times, so arrival order does not
// depend on scheduling.
const Layout kLayouts[] = {
    {"OneAdapter",
     {{"lanA", "198.18.0.1/24"}},
     {{"cama", "lanA", "198.18.0.11/24", Join({kSetA, kX})},
      {"camb", "lanA", "198.18.0.12/24", Join({kSetB, {"--reply-delay", "120"}})},
      {"camc", "lanA", "198.18.0.13/24", Join({kSetC, {"--reply-delay", "240"}})}}},
    {"TwoAdapters",
     {{"lanA", "198.18.0.1/24"}, {"lanB", "198.18.1.1/24"}},
     {{"cama", "lanA", "198.18.0.11/24", Join({kSetA, kX, {"--reply-delay", "200"}})},
      {"camb", "lanB", "198.18.1.12/24", Join({kX, kSetB})},
      {"camc", "lanB", "198.18.1.13/24", Join({kSetC, {"--reply-delay", "120"}})}}},
    // eth0 and eth1 share link A, so its cameras are reachable on both; link C answers slowly,
    // so its adapter finishes last although others wait for it.
    {"FourAdapters",
     {{"lanA", "198.18.0.1/24"},
      {"lanA", "198.18.0.2/24"},
      {"lanB", "198.18.1.1/24"},
      {"lanC", "198.18.2.1/24"}},
     {{"cama", "lanA", "198.18.0.11/24", Join({kSetA, kX, {"--reply-delay", "200"}})},
      {"camb", "lanB", "198.18.1.12/24", Join({kX, kSetB})},
      {"camc", "lanC", "198.18.2.13/24", Join({kSetC, {"--spread", "600"}})}}},
};

void PrintTo(const Layout& layout, std::ostream* out)
{
    *out << layout.name;
}

class AllAdaptersSearchTest : public NetFixture, public ::testing::WithParamInterface<Layout>
{
protected:
    void BuildLab(const Layout& layout)
    {
        std::vector<std::string> links;
        for (const auto& adapter : layout.adapters) {
            if (std::find(links.begin(), links.end(), adapter.first) == links.end()) {
                links.push_back(adapter.first);
                lab->AddLink(adapter.first);
            }
        }
        for (size_t i = 0; i < layout.adapters.size(); ++i)
            lab->AddPcAdapter(layout.adapters[i].first, "eth" + std::to_string(i),
                              {layout.adapters[i].second});
        for (const Host& host : layout.hosts) {
            lab->AddCameraHost(host.name, host.link, host.address);
            lab->StartSimulator(host.name, host.simulator);
        }
        lab->EnterPc();
    }

    // Each adapter searched alone, one after the other; per adapter also the camera answers it
    // heard (accepted and duplicates).
    Listing OneAdapterAtATime(const std::vector<AdapterAddress>& entries, std::vector<int32_t>& answers)
    {
        Listing listing;
        for (size_t entry = 0; entry < entries.size(); ++entry) {
            auto alone = NewManager();
            alone->SetAdapterSource([only = entries[entry]] { return std::vector<AdapterAddress>{only}; });
            SearchAndWait(*alone);
            const AdapterSearchFigures heard = alone->SearchFigures().at(0);
            answers.push_back(heard.repliesAccepted + heard.duplicatesDropped);
            for (const auto& [mac, unused] : Listed(alone->Cameras())) {
                const bool known =
                    std::any_of(listing.begin(), listing.end(),
                                [&mac = mac](const auto& listed) { return listed.first == mac; });
                if (!known)
                    listing.emplace_back(mac, static_cast<int32_t>(entry));
            }
        }
        return listing;
    }
};

TEST_P(AllAdaptersSearchTest, ListsTheCamerasAndAdaptersOfASearchThatTakesOneAdapterAtATime)
{
    BuildLab(GetParam());
    auto manager = NewManager();
    ASSERT_EQ(manager->RefreshAdapters(), static_cast<int>(GetParam().adapters.size()));

    manager->StartSearch();
    std::vector<Listing> seen;
    while (!manager->SearchFinished()) {
        seen.push_back(Listed(manager->Cameras()));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const Listing together = Listed(manager->Cameras());
    const std::vector<AdapterSearchFigures> figures = manager->SearchFigures();

    std::vector<int32_t> answers;
    const Listing reference = OneAdapterAtATime(manager->Adapters(), answers);

    ASSERT_EQ(reference.size(), 10u);
    EXPECT_EQ(together, reference);
    EXPECT_EQ(manager->FoundCount(), static_cast<int32_t>(together.size()));
    // The polling list page only ever saw rows added at the end.
    for (const Listing& then : seen)
        EXPECT_EQ(Listing(together.begin(), together.begin() + static_cast<long>(then.size())), then);

    ASSERT_EQ(figures.size(), answers.size());
    for (size_t entry = 0; entry < figures.size(); ++entry) {
        SCOPED_TRACE("adapter entry " + std::to_string(entry));
        const auto listedHere = std::count_if(together.begin(), together.end(), [&](const auto& listed) {
            return listed.second == static_cast<int32_t>(entry);
        });
        EXPECT_EQ(figures[entry].adapterEntry, static_cast<int32_t>(entry));
        EXPECT_EQ(figures[entry].repliesAccepted, listedHere);
        // Every camera answer heard by this adapter is counted here: listed or a duplicate.
        EXPECT_EQ(figures[entry].repliesAccepted + figures[entry].duplicatesDropped, answers[entry]);
        EXPECT_EQ(figures[entry].straysDropped, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, AllAdaptersSearchTest, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
