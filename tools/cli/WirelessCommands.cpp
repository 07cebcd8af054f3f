// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/WirelessCommands.h"

#include "device/ApplySequence.h"
#include "device/DeviceOperations.h"
#include "device/WirelessComparison.h"
#include "device/WirelessOptions.h"
#include "platform/ProgramFolder.h"
#include "platform/Utf8.h"
#include "skin/SkinFile.h"

#include <iostream>

namespace {

struct NumberOption
{
    const char* name;
    int32_t WirelessSettings::*field;
};

constexpr NumberOption kNumbers[] = {
    {"--channel", &WirelessSettings::channel},
    {"--adhoc", &WirelessSettings::adHoc},
    {"--encryption", &WirelessSettings::encryption},
    {"--authentication", &WirelessSettings::authentication},
    {"--key-length", &WirelessSettings::wepKeyLength},
    {"--key-format", &WirelessSettings::wepKeyFormat},
    {"--default-key", &WirelessSettings::wepDefaultKey},
    {"--tx-rate", &WirelessSettings::txRate},
};

// The default skin's message, on one line.
std::string SkinMessageLine(int number)
{
    std::string text = ToUtf8(SkinFile(ProgramFolder() / "Quillane.ini").messageText(number));
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.replace(at, 2, " ");
    return text;
}

int Refuse(int message, std::string_view option, std::string_view outcome)
{
    return CliError("set-wlan: " + SkinMessageLine(message) + " (--" + std::string(option) + "); " +
                    std::string(outcome));
}

// Values that can be judged without the camera's settings are refused before anything is sent.
// Returns -1, or the exit code of a refusal already reported.
int CheckGivenValues(const CameraOptions& options, const WirelessSettings& given, bool on)
{
    if (on && options.values.count("--ssid")) {
        if (const int message = CheckSsid(FromUtf8(options.Value("--ssid"))))
            return Refuse(message, "ssid", "nothing sent");
    }
    if (options.values.count("--passphrase")) {
        if (const int message = CheckPassphrase(FromUtf8(options.Value("--passphrase"))))
            return Refuse(message, "passphrase", "nothing sent");
    }
    if (!options.values.count("--key-length") || !options.values.count("--key-format"))
        return -1;
    for (int i = 1; i <= 4; ++i) {
        const std::string name = "--wep-key" + std::to_string(i);
        if (!options.values.count(name))
            continue;
        const int message =
            CheckWepKey(given.wepKeyLength, given.wepKeyFormat, FromUtf8(options.Value(name)));
        if (message != 0)
            return Refuse(message, name.substr(2), "nothing sent");
    }
    return -1;
}

// A write whose answer was lost may have been taken: what GetWLan reads back decides. Prints what
// the camera holds and returns 0 when that is what was written, 5 when it is not; any other
// failure, or a reading that goes unanswered too, is reported as the write's own.
int ReadBackAfterLostAnswer(OperationContext& context, int code, const CameraOptions& options)
{
    const ApplyUnconfirmed& unconfirmed = context.state.applyUnconfirmed;
    if (!Unanswered(code, context) || !unconfirmed.writes)
        return FinishWrite("set-wlan", code, context.errorDetail);
    // The apply reads back after an unanswered SetWLan itself; after another write, here.
    if (!unconfirmed.wireless && (code = ReadBackWireless(context)) != OperationResult::kSuccess)
        return FinishWrite("set-wlan", code, context.errorDetail);
    if (!unconfirmed.wirelessReadBack)
        return FinishWrite("set-wlan", OperationResult::kFailed, OperationResult::kDetailNoAnswer);
    const WirelessSettings& held = *unconfirmed.wirelessReadBack;
    PrintWireless(held, options.json, options.Has(std::string(kShowKeys)));
    if (options.json)
        std::cout << "\n";
    const std::vector<WirelessDifference> differences = CompareWirelessSettings(context.state.wireless, held);
    if (differences.empty()) {
        if (!options.json)
            std::cout << "the answer to a write was lost; read back, the camera holds the settings written\n";
        return 0;
    }
    std::cerr << "quillane-cli: set-wlan: the answer to a write was lost; read back, the camera holds other "
                 "wireless settings: "
              << ToUtf8(DescribeWirelessDifferences(differences)) << "\n";
    return kExitSettingsDiffer;
}

} // namespace

int RunSetWlanCommand(const CliArguments& args)
{
    CameraOptions options;
    std::vector<std::string_view> own = {"--ssid",     "--enable",   "--wep-key1",  "--wep-key2",
                                         "--wep-key3", "--wep-key4", "--passphrase"};
    for (const NumberOption& n : kNumbers)
        own.push_back(n.name);
    int code = ParseCameraOptions("set-wlan", args, own, {kShowKeys}, options);
    if (code != -1)
        return code;
    WirelessSettings given;
    for (const NumberOption& n : kNumbers) {
        if (!IntOption("set-wlan", options, n.name, given.*n.field))
            return kExitUsage;
    }
    const std::string enable = options.Value("--enable", "1");
    if (enable != "0" && enable != "1")
        return CliError("set-wlan: --enable takes 0 or 1");
    if ((code = CheckGivenValues(options, given, enable != "0")) != -1)
        return code;

    CameraSession session;
    if ((code = session.Open("set-wlan", options)) != -1)
        return code;
    // Settings not given keep what the camera has.
    code = GetWLan(session.Context());
    if (code != OperationResult::kSuccess)
        return FinishOperation("set-wlan", code, session.Context().errorDetail);
    WirelessSettings& w = session.State().wireless;
    for (const NumberOption& n : kNumbers) {
        if (options.values.count(n.name))
            w.*n.field = given.*n.field;
    }
    if (options.values.count("--enable"))
        w.wirelessEnable = FromUtf8(enable);
    if (options.values.count("--ssid"))
        w.ssid = FromUtf8(options.Value("--ssid"));
    if (options.values.count("--passphrase"))
        w.passphrase = FromUtf8(options.Value("--passphrase"));
    for (size_t i = 0; i < w.wepKeys.size(); ++i) {
        const std::string name = "--wep-key" + std::to_string(i + 1);
        if (options.values.count(name))
            w.wepKeys[i] = FromUtf8(options.Value(name));
    }

    // What the camera already holds counts too, as on the pages.
    if (const WirelessSettingsCheck check = CheckWirelessSettings(w); check.message != 0)
        return Refuse(check.message, ToUtf8(check.field), "nothing written");

    // As the wizard applies it: the network settings as they are, the wireless ones, a restart
    // for the models that need one.
    code = ApplyWireless(session.Context());
    if (code != OperationResult::kSuccess)
        return ReadBackAfterLostAnswer(session.Context(), code, options);
    PrintWireless(w, options.json, options.Has(std::string(kShowKeys)));
    if (options.json)
        std::cout << "\n";
    return 0;
}
