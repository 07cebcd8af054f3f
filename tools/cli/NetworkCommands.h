#pragma once

#include "CameraCommand.h"

// quillane-cli set-network, set-password, reset: the writes of the network apply.
int RunSetNetworkCommand(const CliArguments& args);
int RunSetPasswordCommand(const CliArguments& args);
int RunResetCommand(const CliArguments& args);

inline constexpr std::string_view kSetNetworkUsage =
    "set-network CAMERA-OPTIONS (--dhcp | --ip IP [--mask MASK] [--gateway GW] [--dns1 DNS] [--dns2 DNS])\n"
    "      [--name NAME] [--webport PORT] [--verify]   (omitted values keep the camera's; --verify\n"
    "      searches again after the apply and compares what the camera answers with what was set)";
inline constexpr std::string_view kSetPasswordUsage =
    "set-password CAMERA-OPTIONS --new-password PWD (or --new-password-file, -env, -stdin)";
inline constexpr std::string_view kResetUsage = "reset CAMERA-OPTIONS";
