// SPDX-License-Identifier: Apache-2.0
// The camera list page's use of a search, without the page (the ThreadSanitizer build has no
// Qt): it polls as its timer does, searches again while a search runs, and is left while one
// runs, after which the main window destroys the manager.

#include "tests/net/NetFixture.h"

namespace {

class ListPageSearchTest : public NetFixture
{
protected:
    // One poll of the page's timer: done flag, then the rows not shown yet.
    static bool Poll(CDeviceManager& manager, size_t& shown)
    {
        const bool finished = manager.SearchFinished();
        if (finished)
            manager.ClearSearching();
        const auto cameras = manager.Cameras();
        EXPECT_GE(cameras.size(), shown);
        shown = cameras.size();
        return finished;
    }
};

TEST_F(ListPageSearchTest, SearchAgainAndLeaveWhileSearching)
{
    lab->AddLink("lanA");
    lab->AddPcAdapter("lanA", "eth0", {"198.18.0.1/24"});
    lab->AddCameraHost("cam", "lanA", "198.18.0.9/24");
    lab->StartSimulator("cam", {"--camera", "mac=02:00:00:04:00:01", "--count", "20", "--spread", "200"});
    lab->EnterPc();
    auto manager = NewManager();
    DeviceTimeouts slow = ShortTimeouts();
    slow.searchQuiet = std::chrono::seconds(30);
    manager->SetTimeouts(slow);

    for (int search = 0; search < 2; ++search) {
        manager->StartSearch();
        size_t shown = 0;
        for (int tick = 0; tick < 100 && shown < 20; ++tick) {
            EXPECT_FALSE(Poll(*manager, shown));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_EQ(shown, 20u);
        EXPECT_TRUE(manager->searching());
    }
    // Exit: the manager goes while its search still waits for more answers.
    manager.reset();
}

} // namespace
