// SPDX-License-Identifier: Apache-2.0
#include "platform/ProgramVersion.h"
#include "tools/camsim/CameraSimulator.h"
#include "tools/camsim/SimOptions.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

volatile bool g_stop = false;

void OnSignal(int)
{
    g_stop = true;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quillane-camsim %s\n", kProgramVersionText);
            return 0;
        }
    }
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "quillane-camsim: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    struct sigaction action
    {
    };
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    CameraSimulator simulator(std::move(options));
    if (!simulator.Open())
        return 1;
    simulator.WriteState();
    simulator.Run(g_stop);
    return 0;
}
