// SPDX-License-Identifier: Apache-2.0
#include "tools/cli/LoginCommands.h"

#include "device/DeviceOperations.h"
#include "device/DeviceProtocol.h"
#include "device/LoginSequence.h"
#include "platform/Utf8.h"

#include <iomanip>
#include <iostream>

namespace {

// The supported opcodes: the table's entries up to the first empty one.
std::vector<int32_t> Opcodes(const WizardState& state)
{
    std::vector<int32_t> list;
    for (int32_t opcode : state.supportedOpcodes) {
        if (opcode == 0)
            break;
        list.push_back(opcode);
    }
    return list;
}

void PrintOpcodes(const WizardState& state, bool json)
{
    const char* separator = "";
    for (int32_t opcode : Opcodes(state)) {
        if (json)
            std::cout << separator << opcode;
        else
            std::cout << separator << "0x" << std::uppercase << std::hex << opcode << std::dec;
        separator = json ? ", " : " ";
    }
}

// Opens the session and runs one operation; the exit code, or -1 to go on printing.
int OpenAndRun(std::string_view command, const CliArguments& args, CameraSession& session,
               CameraOptions& options, int (*operation)(OperationContext&),
               const std::vector<std::string_view>& flags = {})
{
    int code = ParseCameraOptions(command, args, {}, flags, options);
    if (code == -1)
        code = session.Open(command, options);
    if (code != -1)
        return code;
    code = operation(session.Context());
    return code == OperationResult::kSuccess ? -1
                                             : FinishOperation(command, code, session.Context().errorDetail);
}

} // namespace

int RunLoginCommand(const CliArguments& args)
{
    CameraSession session;
    CameraOptions options;
    if (const int code = OpenAndRun("login", args, session, options, Login, {kShowKeys}); code != -1)
        return code;
    const WizardState& state = session.State();
    const bool wireless =
        state.SupportsOpcode(DeviceProtocol::Opcode::kGetWLan) && state.camera.hasWireless == 1;
    if (options.json) {
        std::cout << "{\"mac\": " << JsonText(state.camera.macText)
                  << ", \"ip\": " << JsonText(state.camera.ip)
                  << ", \"model\": " << JsonText(state.camera.model) << ", \"opcodes\": [";
        PrintOpcodes(state, true);
        std::cout << "], \"wireless\": ";
        if (wireless)
            PrintWireless(state.wireless, true, options.Has(std::string(kShowKeys)));
        else
            std::cout << "null";
        std::cout << "}\n";
        return 0;
    }
    std::cout << "logged in to " << ToUtf8(state.camera.model) << " " << ToUtf8(state.camera.macText)
              << " at " << ToUtf8(state.camera.ip) << "\nopcodes: ";
    PrintOpcodes(state, false);
    std::cout << "\n";
    if (wireless)
        PrintWireless(state.wireless, false, options.Has(std::string(kShowKeys)));
    return 0;
}

int RunOpcodesCommand(const CliArguments& args)
{
    CameraSession session;
    CameraOptions options;
    if (const int code = OpenAndRun("opcodes", args, session, options, QueryOpcodes); code != -1)
        return code;
    std::cout << (options.json ? "[" : "");
    PrintOpcodes(session.State(), options.json);
    std::cout << (options.json ? "]\n" : "\n");
    return 0;
}

int RunGetWlanCommand(const CliArguments& args)
{
    CameraSession session;
    CameraOptions options;
    if (const int code = OpenAndRun("get-wlan", args, session, options, GetWLan, {kShowKeys}); code != -1)
        return code;
    PrintWireless(session.State().wireless, options.json, options.Has(std::string(kShowKeys)));
    if (options.json)
        std::cout << "\n";
    return 0;
}
