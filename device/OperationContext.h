#pragma once

#include "Exchange.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <thread>
#include <vector>

class CDeviceManager;
struct WizardState;

// What a page hands to a camera operation. The context does not own the state or the manager.
struct OperationContext
{
    using Sleeper = std::function<void(std::chrono::milliseconds)>;
    using Exchanger = std::function<int(CDeviceManager&, std::span<const uint8_t> request,
                                        std::vector<uint8_t>& reply, size_t largestReply, int tries)>;

    WizardState& state;
    CDeviceManager& manager;
    // 0, 1,500 (no answer), 1,501 (no WPS push button) or the camera's own detail number.
    int32_t errorDetail = 0;
    // Waits after a write as the camera asks; tests record instead of sleeping.
    Sleeper sleep = [](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); };
    // Sends a request and waits for the answer; the fuzz target puts a scripted peer here.
    Exchanger exchange = Exchange;
};

// Results of the operations besides the exchange codes.
namespace OperationResult {
inline constexpr int kSuccess = -1;
inline constexpr int kAskAgain = -2;
inline constexpr int kTemplateMissing = 1;
inline constexpr int kRefused = 18;
inline constexpr int kRefusedOther = 29;
inline constexpr int kFailed = 30;
inline constexpr int32_t kDetailNoAnswer = 1500;
inline constexpr int32_t kDetailNoPushButton = 1501;
} // namespace OperationResult
