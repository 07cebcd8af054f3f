// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>

// How a WPS join is paced: a step per tick, each waiting phase (from InitWPS, and again from an
// accepted SendWPS) limited, and a pause after a failure before the page can be used again.
// Tests shorten them.
struct WpsJoinTiming
{
    std::chrono::milliseconds tick{1000};
    std::chrono::milliseconds phase{120000};
    std::chrono::milliseconds pauseAfterFailure{2000};
};
