// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"

#include <cstdint>
#include <string>

// What the WPS page keeps for one join.
struct WpsValues
{
    int32_t pbcSupported = 0;
    int32_t pinSupported = 0;
    int32_t mode = 1; // 1 push button, 2 PIN
    std::u16string pin;
};

namespace WpsMode {
inline constexpr int32_t kPushButton = 1;
inline constexpr int32_t kPin = 2;
} // namespace WpsMode

// The steps of a WPS join. Results: -1 success, -2 not finished yet (the polls), 1 template
// missing, 18/29 (QueryWPS), 30 with context.errorDetail, or the exchange code of a failed
// exchange.

// Asks whether the camera supports WPS; clears the key slots first.
int QueryWPS(OperationContext& context, WpsValues& wps);
// Starts WPS with the chosen mode and the PIN.
int InitWPS(OperationContext& context, const WpsValues& wps);
// Polls until the camera has learned the network.
int PollWPSInf(OperationContext& context);
// Tells the camera to use the network, with what the template carries.
int SendWPS(OperationContext& context);
// Polls until the camera reports the result.
int PollWPSStatus(OperationContext& context);
