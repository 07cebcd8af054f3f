// SPDX-License-Identifier: Apache-2.0
#include "engine/KeyExchange.h"
#include "platform/ProgramVersion.h"
#include "tools/cli/CameraCommand.h"
#include "tools/cli/CliCommand.h"
#include "tools/cli/LoginCommands.h"
#include "tools/cli/NetworkCommands.h"
#include "tools/cli/PlanCommand.h"
#include "tools/cli/SearchCommand.h"
#include "tools/cli/SecretOptions.h"
#include "tools/cli/TemplateCommand.h"
#include "tools/cli/WirelessCommands.h"
#include "tools/cli/WpsCommand.h"

#include <array>
#include <iostream>

namespace {

constexpr std::array kCommands = {
    CliCommand{"template", kTemplateUsage, RunTemplateCommand},
    CliCommand{"search", kSearchUsage, RunSearchCommand},
    CliCommand{"login", kLoginUsage, RunLoginCommand},
    CliCommand{"opcodes", kOpcodesUsage, RunOpcodesCommand},
    CliCommand{"get-wlan", kGetWlanUsage, RunGetWlanCommand},
    CliCommand{"set-network", kSetNetworkUsage, RunSetNetworkCommand},
    CliCommand{"set-password", kSetPasswordUsage, RunSetPasswordCommand},
    CliCommand{"set-wlan", kSetWlanUsage, RunSetWlanCommand},
    CliCommand{"reset", kResetUsage, RunResetCommand},
    CliCommand{"wps", kWpsUsage, RunWpsCommand},
    CliCommand{"plan", kPlanUsage, RunPlanCommand},
};

void PrintUsage(std::ostream& out)
{
    out << "Usage: quillane-cli COMMAND ...\n"
        << "  or:  quillane-cli --help | --version\n"
        << "Set up network cameras from a shell, and show what a template file does.\n\n"
        << "Commands:\n";
    // Laid out as help2man reads it for the man page: a command's first line, then its other
    // lines indented to column 22, and a blank line before the next command.
    for (const CliCommand& command : kCommands)
        out << "  " << command.usage << "\n\n";
    out << "Camera options (CAMERA-OPTIONS):\n"
        << "  " << kCameraOptionsUsage << "\n\n"
        << kCameraOptionsHelp << "\n\n"
        << kSecretOptionsHelp << "\n";
}

} // namespace

int CliError(std::string_view message)
{
    std::cerr << "quillane-cli: " << message << "\n";
    return kExitUsage;
}

int UnknownArgument(std::string_view command, size_t position)
{
    return CliError(std::string(command) + ": argument " + std::to_string(position) +
                    " is no option of this command; see quillane-cli --help");
}

int main(int argc, char** argv)
{
    // Standard output carries results that people and scripts read: no key exchange diagnostics.
    KeyExchange::SetDiagnosticStream(nullptr);
    if (argc < 2 || std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h") {
        PrintUsage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? kExitUsage : 0;
    }
    if (std::string_view(argv[1]) == "--version") {
        std::cout << "quillane-cli " << kProgramVersionText << "\n";
        return 0;
    }
    const CliArguments args(argv + 2, argv + argc);
    for (const CliCommand& command : kCommands) {
        if (command.name == argv[1])
            return command.run(args);
    }
    CliError("the first argument is no command");
    PrintUsage(std::cerr);
    return kExitUsage;
}
