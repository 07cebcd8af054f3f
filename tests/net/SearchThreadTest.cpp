// SPDX-License-Identifier: Apache-2.0
#include "tests/net/NetFixture.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iterator>

namespace {

class SearchThreadTest : public NetFixture
{
protected:
    void BuildLab(const std::vector<std::string>& simulatorArgs)
    {
        lab->AddLink("lanA");
        lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
        lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
        lab->StartSimulator("cam", simulatorArgs);
        lab->EnterPc();
    }
};

// The list page reads the list while the thread appends to it.
TEST_F(SearchThreadTest, ReadersSeeAGrowingListWithoutRaces)
{
    BuildLab({"--camera", "mac=02:00:00:01:00:01", "--count", "60", "--spread", "300"});
    auto manager = NewManager();
    manager->StartSearch();
    size_t seen = 0;
    while (!manager->SearchFinished()) {
        const auto cameras = manager->Cameras();
        EXPECT_GE(cameras.size(), seen);
        seen = cameras.size();
        manager->currentIndex = static_cast<int32_t>(seen) - 1;
        manager->GetName();
        manager->GetIpText();
        manager->FoundCount();
    }
    EXPECT_EQ(manager->CameraCount(), 60);
    EXPECT_EQ(manager->FoundCount(), 60);
}

TEST_F(SearchThreadTest, DestroyingTheManagerEndsARunningSearch)
{
    BuildLab({"--camera", "mac=02:00:00:02:00:01"});
    auto manager = NewManager();
    DeviceTimeouts slow;
    slow.searchQuiet = std::chrono::seconds(30);
    manager->SetTimeouts(slow);
    manager->StartSearch();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto start = std::chrono::steady_clock::now();
    manager.reset();
    // Far less than the quiet period: the thread was told to stop, not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(SearchThreadTest, StartingAgainReplacesARunningSearch)
{
    BuildLab({"--camera", "mac=02:00:00:03:00:01", "--count", "2"});
    auto manager = NewManager();
    manager->StartSearch();
    manager->StartSearch();
    while (!manager->SearchFinished())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(manager->CameraCount(), 2);
}

size_t ThreadsOfThisProcess()
{
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                                             std::filesystem::directory_iterator()));
}

// Three adapters on links of their own: their passes run at the same time, each on a thread, and
// every way of stopping a search must end and join them all well before their quiet periods end.
TEST_F(SearchThreadTest, StoppingEndsThePassOfEveryAdapterAndLeavesNoThreadBehind)
{
    for (int i = 0; i < 3; ++i) {
        const std::string link = "lan" + std::to_string(i);
        lab->AddLink(link);
        lab->AddPcAdapter(link, "eth" + std::to_string(i), {"198.18." + std::to_string(i) + ".1/24"});
        lab->AddCameraHost("cam" + std::to_string(i), link, "198.18." + std::to_string(i) + ".9/24");
        lab->StartSimulator("cam" + std::to_string(i),
                            {"--camera", "mac=02:00:00:05:0" + std::to_string(i) + ":01", "--count", "2"});
    }
    lab->EnterPc();
    const size_t threadsBefore = ThreadsOfThisProcess();
    auto manager = NewManager();
    DeviceTimeouts slow = ShortTimeouts();
    slow.searchQuiet = std::chrono::seconds(30);
    manager->SetTimeouts(slow);
    // Each adapter heard both its cameras' first answers.
    auto everyAdapterHeard = [&] {
        const auto figures = manager->SearchFigures();
        return figures.size() == 3 && std::all_of(figures.begin(), figures.end(),
                                                  [](const auto& f) { return f.datagramsHeard >= 2; });
    };
    const auto start = std::chrono::steady_clock::now();
    for (int search = 0; search < 2; ++search) {
        manager->StartSearch();
        while (!everyAdapterHeard() && std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(everyAdapterHeard()) << "search " << search;
        // The first adapter still listens, so the later ones' cameras wait to be listed.
        EXPECT_EQ(manager->FoundCount(), 2);
        EXPECT_GE(ThreadsOfThisProcess(), threadsBefore + 4);
    }
    manager.reset();
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
    // Far less than one quiet period: the passes were told to stop, not waited out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

} // namespace
