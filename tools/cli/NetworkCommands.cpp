// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/NetworkCommands.h"

#include "device/AddressChecks.h"
#include "device/ApplySequence.h"
#include "device/DeviceOperations.h"
#include "device/OperationSteps.h"
#include "platform/Utf8.h"

#include <iostream>
#include <optional>

namespace {

// The camera's current value as the page shows it: an unset address reads as empty.
std::u16string Current(const std::u16string& value)
{
    return value == u"0.0.0.0" ? std::u16string() : value;
}

std::u16string Given(const CameraOptions& options, const std::string& name, const std::u16string& current)
{
    return options.values.count(name) ? FromUtf8(options.Value(name)) : Current(current);
}

// Checks the static set-up as the network page does; false (reported) at the first bad value.
bool ApplyStatic(const CameraOptions& options, CameraInfo& camera)
{
    const StaticAddress input{Given(options, "--ip", camera.ip), Given(options, "--mask", camera.mask),
                              Given(options, "--gateway", camera.gateway),
                              Given(options, "--dns1", camera.dns1), Given(options, "--dns2", camera.dns2)};
    const StaticAddressCheck check = CheckStaticAddress(input);
    if (check.failed) {
        static const char* const names[] = {"IP address", "subnet mask", "gateway", "primary DNS",
                                            "secondary DNS"};
        static const char* const flags[] = {"--ip", "--mask", "--gateway", "--dns1", "--dns2"};
        const auto field = static_cast<size_t>(*check.failed);
        const std::u16string* const values[] = {&input.ip, &input.mask, &input.gateway, &input.dns1,
                                                &input.dns2};
        const std::u16string& value = *values[field];
        // A value left out is the camera's own, which may not suit the new address.
        const std::string source = options.values.count(flags[field])
                                       ? std::string(flags[field])
                                       : "the camera's, give " + std::string(flags[field]);
        CliError("set-network: the " + std::string(names[field]) + " '" + ToUtf8(value) + "' (" + source +
                 ") is not valid" + (field == 2 ? " for the address and mask" : ""));
        return false;
    }
    StoreStaticAddress(check.normalised, camera);
    camera.dhcp = 0;
    return true;
}

void PrintNetwork(const CameraInfo& c, bool json, const std::optional<SettingsConfirmation>& verified,
                  bool answered)
{
    if (json) {
        std::cout << "{\"mac\": " << JsonText(c.macText) << ", \"name\": " << JsonText(c.name)
                  << ", \"dhcp\": " << c.dhcp << ", \"ip\": " << JsonText(c.ip)
                  << ", \"mask\": " << JsonText(c.mask) << ", \"gateway\": " << JsonText(c.gateway)
                  << ", \"dns1\": " << JsonText(c.dns1) << ", \"dns2\": " << JsonText(c.dns2)
                  << ", \"webPort\": " << c.webPort;
        if (verified)
            std::cout << ", \"answered\": " << (answered ? "true" : "false")
                      << ", \"verify\": " << ConfirmationJson(*verified);
        std::cout << "}\n";
        return;
    }
    std::cout << "set " << ToUtf8(c.macText) << ": name " << ToUtf8(c.name) << ", ";
    if (c.dhcp == 1)
        std::cout << "DHCP";
    else
        std::cout << "address " << ToUtf8(c.ip) << " mask " << ToUtf8(c.mask) << " gateway "
                  << ToUtf8(c.gateway) << " DNS " << ToUtf8(c.dns1) << " " << ToUtf8(c.dns2);
    std::cout << ", web port " << c.webPort << "\n";
}

} // namespace

int RunSetNetworkCommand(const CliArguments& args)
{
    CameraOptions options;
    int code = ParseCameraOptions("set-network", args,
                                  {"--ip", "--mask", "--gateway", "--dns1", "--dns2", "--name", "--webport"},
                                  {"--dhcp", "--verify"}, options);
    if (code != -1)
        return code;
    const bool dhcp = options.flags.count("--dhcp") > 0;
    if (dhcp == (options.values.count("--ip") > 0))
        return CliError("set-network: give either --dhcp or --ip");
    if (dhcp) {
        for (const char* name : {"--mask", "--gateway", "--dns1", "--dns2"}) {
            if (options.values.count(name))
                return CliError(std::string("set-network: ") + name + " goes with --ip, not with --dhcp");
        }
    }
    int32_t webPort = 0;
    if (!IntOption("set-network", options, "--webport", webPort))
        return kExitUsage;

    CameraSession session;
    if ((code = session.Open("set-network", options)) != -1)
        return code;
    CameraInfo& camera = session.State().camera;
    if (dhcp)
        camera.dhcp = 1;
    else if (!ApplyStatic(options, camera))
        return kExitUsage;
    if (options.values.count("--name"))
        camera.name = FromUtf8(options.Value("--name"));
    if (options.values.count("--webport"))
        camera.webPort = webPort;

    const bool verify = options.flags.count("--verify") > 0;
    code = ApplyNetwork(session.Context());
    // A write whose answer was lost may have been taken: then the search after it decides.
    const bool answered = code == OperationResult::kSuccess;
    const bool unconfirmed = Unanswered(code, session.Context()) && session.State().applyUnconfirmed.writes;
    if (!answered && !(unconfirmed && verify))
        return FinishWrite("set-network", code, session.Context().errorDetail);
    std::optional<SettingsConfirmation> verified;
    if (verify)
        verified = session.ConfirmSettings();
    PrintNetwork(camera, options.json, verified, answered);
    if (!verified)
        return 0;
    const std::string outcome =
        (answered ? "" : "the answer to the write was lost; ") + ConfirmationText(*verified);
    if (verified->outcome == SettingsConfirmation::Confirmed) {
        if (!options.json)
            std::cout << outcome << "\n";
    } else {
        std::cerr << "quillane-cli: set-network: " << outcome << "\n";
    }
    return ConfirmationExitCode(*verified);
}

int RunSetPasswordCommand(const CliArguments& args)
{
    CameraOptions options;
    int code = ParseCameraOptions("set-password", args, {"--new-password"}, {}, options);
    if (code != -1)
        return code;
    if (!options.values.count("--new-password"))
        return CliError("set-password: --new-password is required");
    if (!FitsSignIn(FromUtf8(options.Value("--new-password"))))
        return CliError("set-password: a new password over " + std::to_string(kLongestSignInText) +
                        " characters could never be used to sign in; nothing sent");
    CameraSession session;
    if ((code = session.Open("set-password", options)) != -1)
        return code;
    session.State().newPassword = FromUtf8(options.Value("--new-password"));
    const PasswordChange change = ChangePasswordConfirmed(session.Context());
    if (change.result != OperationResult::kSuccess)
        return FinishWrite("set-password", change.result, session.Context().errorDetail);
    if (options.json)
        std::cout << "{\"mac\": " << JsonText(session.State().camera.macText)
                  << ", \"passwordChanged\": true, \"confirmedBySignIn\": "
                  << (change.confirmedBySignIn ? "true" : "false") << "}\n";
    else
        std::cout << "password of " << ToUtf8(session.State().camera.macText) << " changed"
                  << (change.confirmedBySignIn
                          ? " (its answer was lost; a sign-in with the new password confirmed it)"
                          : "")
                  << "\n";
    return 0;
}

int RunResetCommand(const CliArguments& args)
{
    CameraOptions options;
    int code = ParseCameraOptions("reset", args, {}, {}, options);
    if (code != -1)
        return code;
    CameraSession session;
    if ((code = session.Open("reset", options)) != -1)
        return code;
    code = Reset(session.Context());
    if (code != OperationResult::kSuccess)
        return FinishWrite("reset", code, session.Context().errorDetail);
    if (options.json)
        std::cout << "{\"mac\": " << JsonText(session.State().camera.macText) << ", \"reset\": true}\n";
    else
        std::cout << ToUtf8(session.State().camera.macText) << " restarts\n";
    return 0;
}
