// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CDeviceManager.h"
#include "device/OperationContext.h"
#include "device/SettingsConfirmation.h"
#include "device/WizardState.h"
#include "tools/cli/CliCommand.h"
#include "tools/cli/MacText.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// What every camera command shares: its options, finding the camera by a search, and
// turning an operation's result into output and an exit code.

// Options common to every camera command.
inline constexpr std::string_view kCameraOptionsUsage =
    "--mac MAC [--id ID] [--password PWD | --password-file FILE |\n"
    "                      --password-env VAR | --password-stdin] [--interface NAME] [--json]";
inline constexpr std::string_view kCameraOptionsHelp =
    "  The camera that --mac names (any of : - . between the octets) is found by a search on\n"
    "  every adapter, or only on --interface; --id (default admin) and --password (asked for on\n"
    "  a terminal, else empty) are its administrator's. --timeout MS (default 10000) is the wait\n"
    "  for one answer, --search-time MS (default 3000) the quiet time that ends a search,\n"
    "  --templates DIR the template folder.\n"
    "\n"
    "Exit codes of the camera commands:\n"
    "  0 on success, else the operation's error number (1, 18, 29, 30, 32 for values too long\n"
    "  for the camera, or an exchange code), 2 for a usage error or a value that fails its check,\n"
    "  4 when the search does not find the camera; with --verify, 5 when the camera answers the\n"
    "  search after the apply with other settings and 6 when it does not answer it; the reason\n"
    "  is one line on standard error. A write whose answer was lost may still have been applied:\n"
    "  set-network --verify then searches all the same, set-wlan reads the settings back (5 when\n"
    "  the camera holds others); otherwise such a write exits 30.\n"
    "\n"
    "Durations:\n"
    "  A search listens on each adapter until it has been quiet for --search-time, and for 20 s\n"
    "  at the most however much keeps arriving (at least twice --search-time); it sends its\n"
    "  request --repeats more times (default 3) within the first quiet time. An operation waits\n"
    "  --timeout per try, 1 or 3 tries; a write may then wait as long as the camera asks, up to\n"
    "  120 s (a WPS join polls for up to 120 s per phase).";

inline constexpr int kExitNotFound = 4;
inline constexpr int kExitSettingsDiffer = 5;
inline constexpr int kExitNotSeenAgain = 6;

struct CameraOptions
{
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    bool json = false;

    bool Has(const std::string& name) const { return values.count(name) || flags.count(name); }
    std::string Value(const std::string& name, const std::string& fallback = {}) const
    {
        const auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    }
};

// Reads the common options and the command's own (valueOptions take a value, flagOptions
// none). Returns -1, or the exit code of a usage error already reported.
int ParseCameraOptions(std::string_view command, const CliArguments& args,
                       const std::vector<std::string_view>& valueOptions,
                       const std::vector<std::string_view>& flagOptions, CameraOptions& options);

// The same without --mac, for commands that find several cameras.
int ParseSearchOptions(std::string_view command, const CliArguments& args,
                       const std::vector<std::string_view>& valueOptions,
                       const std::vector<std::string_view>& flagOptions, CameraOptions& options);

// A device manager with the timeouts, template folder and interface of the options.
std::unique_ptr<CDeviceManager> NewManager(const CameraOptions& options);
// Runs one search and waits for its end.
void SearchAndWait(CDeviceManager& manager);
// The index of the camera mac in the manager's list, or -1; leaves currentIndex on it.
int FindCamera(CDeviceManager& manager, std::string_view mac);

// A camera found by a search, with the wizard state and context the operations take.
class CameraSession
{
public:
    CameraSession();
    // Searches for the camera of --mac. Returns -1 when found, else the exit code (reported).
    int Open(std::string_view command, const CameraOptions& options);
    // Searches again and compares what the camera now answers with its settings in the state.
    SettingsConfirmation ConfirmSettings();

    WizardState& State() { return m_state; }
    OperationContext& Context() { return *m_context; }
    CDeviceManager& Manager() { return *m_manager; }

private:
    WizardState m_state;
    std::unique_ptr<CDeviceManager> m_manager;
    std::unique_ptr<OperationContext> m_context;
};

// Says on standard error which addresses the last search left out (only eight are searched).
void ReportLeftOutAdapters(std::string_view command, const CDeviceManager& manager);

// What an error number means, with its detail: one line for standard error.
std::string OperationErrorText(int code, int32_t detail);

// An operation's result as exit code: -1 gives 0, and the exchange code 0 (answers came, none
// from this camera) gives 30 so that it cannot read as success.
int ExitCode(int code);

// -1 gives 0; any other result is reported on standard error and returned as the exit code.
int FinishOperation(std::string_view command, int code, int32_t detail);

// The whole text as a decimal integer.
bool ToInt(const std::string& text, int32_t& out);

// As FinishOperation, for a write: one that went unanswered may have been applied, and says so.
int FinishWrite(std::string_view command, int code, int32_t detail);

// An integer option; false (reported) when it is not a number.
bool IntOption(std::string_view command, const CameraOptions& options, const std::string& name, int32_t& out);

// Output helpers.
std::string JsonText(std::u16string_view text);
// "confirmed", "differs" or "not seen again", with the differences or what to check.
std::string ConfirmationText(const SettingsConfirmation& confirmation);
// {"outcome": ..., "differences": [{"setting", "applied", "found"}...]}
std::string ConfirmationJson(const SettingsConfirmation& confirmation);
// 0, kExitSettingsDiffer or kExitNotSeenAgain.
int ConfirmationExitCode(const SettingsConfirmation& confirmation);
// The passphrase and WEP keys only with showKeys: output often ends up in logs and terminals that
// others see. Hidden, they read "(hidden)" in text and null in JSON.
void PrintWireless(const WirelessSettings& w, bool json, bool showKeys);
inline constexpr std::string_view kShowKeys = "--show-keys";
