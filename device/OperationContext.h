#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

class CDeviceManager;
struct WizardState;

// What a page hands to a camera operation. The context does not own the state or the manager.
struct OperationContext
{
    using Sleeper = std::function<void(std::chrono::milliseconds)>;

    WizardState& state;
    CDeviceManager& manager;
    // 0, 1,500 (no answer), 1,501 (no WPS push button) or the camera's own detail number.
    int32_t errorDetail = 0;
    // Waits after a write as the camera asks; tests record instead of sleeping.
    Sleeper sleep = [](std::chrono::milliseconds wait) { std::this_thread::sleep_for(wait); };
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
