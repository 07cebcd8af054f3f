// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/WpsCommand.h"

#include "device/WpsOperations.h"
#include "device/WpsPin.h"
#include "platform/Utf8.h"

#include <chrono>
#include <iostream>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Pacing
{
    std::chrono::milliseconds interval{1000};
    std::chrono::seconds limit{120};
};

// Polls until the camera is done; -1, a failure code, or 0 when the phase ran out of time.
int PollPhase(OperationContext& context, int (*poll)(OperationContext&), const Pacing& pacing)
{
    const auto start = Clock::now();
    for (;;) {
        const int result = poll(context);
        if (result != OperationResult::kAskAgain)
            return result;
        if (Clock::now() - start + pacing.interval > pacing.limit)
            return 0;
        std::this_thread::sleep_for(pacing.interval);
    }
}

int Failed(const char* step, int code, int32_t detail)
{
    std::cerr << "quillane-cli: wps: " << step << ": " << OperationErrorText(code, detail) << "\n";
    return ExitCode(code);
}

// The join as the WPS page runs it; -1 when the camera joined, else the exit code (reported).
int Join(OperationContext& context, WpsValues& wps, const Pacing& pacing, bool json)
{
    int code = 0;
    // A fresh PIN for either mode; only PIN mode shows it.
    wps.pin = GenerateWpsPin();
    if ((code = QueryWPS(context, wps)) != OperationResult::kSuccess)
        return Failed("QueryWPS", code, context.errorDetail);
    if ((code = InitWPS(context, wps)) != OperationResult::kSuccess)
        return Failed("InitWPS", code, context.errorDetail);
    if (wps.mode == WpsMode::kPin && !json)
        std::cout << "PIN " << ToUtf8(wps.pin) << ": enter it at the access point\n" << std::flush;

    struct Step
    {
        const char* name;
        int (*run)(OperationContext&);
        bool polled;
    };
    for (const Step& step : {Step{"PollWPSInf", PollWPSInf, true}, Step{"SendWPS", SendWPS, false},
                             Step{"PollWPSStatus", PollWPSStatus, true}}) {
        code = step.polled ? PollPhase(context, step.run, pacing) : step.run(context);
        if (code == 0 && step.polled) {
            std::cerr << "quillane-cli: wps: " << step.name << ": the camera did not finish within "
                      << pacing.limit.count() << " s\n";
            return OperationResult::kFailed;
        }
        if (code != OperationResult::kSuccess)
            return Failed(step.name, code, context.errorDetail);
    }
    return -1;
}

} // namespace

int RunWpsCommand(const CliArguments& args)
{
    CameraOptions options;
    int code = ParseCameraOptions("wps", args, {"--interval", "--limit"}, {"--pbc", "--pin"}, options);
    if (code != -1)
        return code;
    if (options.flags.count("--pbc") == options.flags.count("--pin"))
        return CliError("wps: give either --pbc or --pin");
    int32_t interval = 1000;
    int32_t limit = 120;
    if (!IntOption("wps", options, "--interval", interval) || !IntOption("wps", options, "--limit", limit))
        return kExitUsage;
    if (interval < 0 || limit <= 0)
        return CliError("wps: --interval and --limit must be positive");
    const Pacing pacing{std::chrono::milliseconds(interval), std::chrono::seconds(limit)};

    CameraSession session;
    if ((code = session.Open("wps", options)) != -1)
        return code;
    WpsValues wps;
    wps.mode = options.flags.count("--pin") ? WpsMode::kPin : WpsMode::kPushButton;
    if ((code = Join(session.Context(), wps, pacing, options.json)) != -1)
        return code;
    const std::string mac = ToUtf8(session.State().camera.macText);
    if (options.json)
        std::cout << "{\"mac\": " << JsonString(mac) << ", \"mode\": \""
                  << (wps.mode == WpsMode::kPin ? "pin" : "pbc") << "\", \"pin\": " << JsonText(wps.pin)
                  << ", \"pbcSupported\": " << wps.pbcSupported << ", \"pinSupported\": " << wps.pinSupported
                  << ", \"joined\": true}\n";
    else
        std::cout << mac << " joined the wireless network by WPS\n";
    return 0;
}
