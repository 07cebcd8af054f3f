// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <optional>

struct WizardState;

enum class PageId : int
{
    ListCam = 0,
    IdPwd = 1,
    NetWork = 2,
    Wireless = 3,
    NetWorkFinish = 9,
    WirelessKey = 10,
    WirelessFinish = 11,
    About = 12,
    WpsFromList = 13,
    WpsFromChoice = 14,
    WirelessSelect = 15,
    WirelessNew = 16,
    WirelessFinishNew = 17,
};

// Where a Back or Next leads, with what the driver does on the way.
struct PageTransition
{
    PageId to;
    // Leaving the camera list forward with a "K7Z" model: the carried WPS value starts afresh.
    bool resetCarriedWpsValue = false;
    // Leaving the WPS page forward: keep the value it hands back.
    bool takeCarriedWpsValue = false;
    // Re-entering the WPS page backward from the wireless summary: hand the value to it again.
    bool giveCarriedWpsValue = false;
};

// The page that follows on Next, or nothing when the page stays. May set wpsChosen (a "K7Z"
// camera with "WPS_Show" on goes the WPS way).
std::optional<PageTransition> NextPage(PageId from, WizardState& state);
std::optional<PageTransition> BackPage(PageId from, const WizardState& state);
