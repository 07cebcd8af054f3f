#include "NetFixture.h"

#include <atomic>

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

} // namespace
