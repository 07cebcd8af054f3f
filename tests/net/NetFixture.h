// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CDeviceManager.h"
#include "tests/net/NetLab.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

// A fresh lab per test; tests skip (with the reason) where no lab can be built.
class NetFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string reason = NetLab::SkipReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
        lab = std::make_unique<NetLab>();
    }

    void TearDown() override { lab.reset(); }

    // Short waits: the simulator answers at once.
    static DeviceTimeouts ShortTimeouts()
    {
        DeviceTimeouts timeouts;
        timeouts.searchQuiet = std::chrono::milliseconds(400);
        timeouts.receive = std::chrono::milliseconds(400);
        return timeouts;
    }

    std::unique_ptr<CDeviceManager> NewManager()
    {
        auto manager = std::make_unique<CDeviceManager>(ShortTimeouts());
        manager->SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
        return manager;
    }

    static void SearchAndWait(CDeviceManager& manager)
    {
        manager.StartSearch();
        while (!manager.SearchFinished())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        manager.ClearSearching();
    }

    std::unique_ptr<NetLab> lab;
};
