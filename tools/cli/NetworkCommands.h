// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CameraCommand.h"

// quillane-cli set-network, set-password, reset: the writes of the network apply.
int RunSetNetworkCommand(const CliArguments& args);
int RunSetPasswordCommand(const CliArguments& args);
int RunResetCommand(const CliArguments& args);

inline constexpr std::string_view kSetNetworkUsage =
    "set-network CAMERA-OPTIONS (--dhcp | --ip IP [--mask MASK]\n"
    "                      [--gateway GW] [--dns1 DNS] [--dns2 DNS]) [--name NAME]\n"
    "                      [--webport PORT] [--verify]\n"
    "                      Writes the camera's network settings; omitted values keep the camera's.\n"
    "                      --verify searches again after the apply and compares what the camera\n"
    "                      answers with what was set.";
inline constexpr std::string_view kSetPasswordUsage =
    "set-password CAMERA-OPTIONS --new-password PWD\n"
    "                      Changes the administrator password; the new one may also come from\n"
    "                      --new-password-file, -env or -stdin.";
inline constexpr std::string_view kResetUsage =
    "reset CAMERA-OPTIONS\n"
    "                      Restarts the camera.";
