// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CameraCommand.h"

// quillane-cli login, opcodes, get-wlan: the reading operations.
int RunLoginCommand(const CliArguments& args);
int RunOpcodesCommand(const CliArguments& args);
int RunGetWlanCommand(const CliArguments& args);

inline constexpr std::string_view kLoginUsage =
    "login CAMERA-OPTIONS [--show-keys]\n"
    "                      Signs in, then prints the opcodes that the camera supports and, for a\n"
    "                      wireless camera, its wireless settings.";
inline constexpr std::string_view kOpcodesUsage =
    "opcodes CAMERA-OPTIONS\n"
    "                      Prints the opcodes that the camera supports.";
inline constexpr std::string_view kGetWlanUsage =
    "get-wlan CAMERA-OPTIONS [--show-keys]\n"
    "                      Prints the camera's wireless settings.";
