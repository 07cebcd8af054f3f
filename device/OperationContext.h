// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/Exchange.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <stop_token>
#include <vector>

class CDeviceManager;
struct WizardState;

// What a page hands to a camera operation. The context does not own the state or the manager.
struct OperationContext
{
    using Sleeper = std::function<void(std::chrono::milliseconds)>;
    using Exchanger =
        std::function<int(CDeviceManager&, std::span<const uint8_t> request, std::vector<uint8_t>& reply,
                          size_t largestReply, int tries, const std::stop_token& stop)>;

    WizardState& state;
    CDeviceManager& manager;
    // 0, 1,500 (no answer), 1,501 (no WPS push button) or the camera's own detail number.
    int32_t errorDetail = 0;
    // Asked from another thread, ends the operation at its next datagram or wait: nothing more is
    // sent, and what it returns is not to be taken as done.
    std::stop_token stop{};
    // Waits after a write as the camera asks; empty: a wait that a stop cuts short. Tests record
    // instead of sleeping.
    Sleeper sleep{};
    // Sends a request and waits for the answer; the fuzz target puts a scripted peer here.
    Exchanger exchange = Exchange;
};

// Sleeps for wait, or until stop is requested, whichever comes first.
inline void SleepUnlessStopped(std::chrono::milliseconds wait, const std::stop_token& stop)
{
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait_for(lock, stop, wait, [] { return false; });
}

// Results of the operations besides the exchange codes.
namespace OperationResult {
inline constexpr int kSuccess = -1;
inline constexpr int kAskAgain = -2;
inline constexpr int kTemplateMissing = 1;
inline constexpr int kRefused = 18;
inline constexpr int kRefusedOther = 29;
inline constexpr int kFailed = 30;
// A stop ended the operation before the camera had finished: not done.
inline constexpr int kStopped = 31;
// The encoded values do not fit the camera's fixed request; nothing was sent.
inline constexpr int kTooLong = 32;
inline constexpr int32_t kDetailNoAnswer = 1500;
inline constexpr int32_t kDetailNoPushButton = 1501;

// Results that mean the request never left: nothing can have changed on the camera.
inline bool NothingSent(int code)
{
    return code == kTemplateMissing || code == kTooLong;
}
} // namespace OperationResult
