// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CameraCommand.h"

// quillane-cli set-wlan: reads the camera's wireless settings, changes the ones given, checks
// them as the wireless pages do and writes them back as the wizard applies them.
int RunSetWlanCommand(const CliArguments& args);

inline constexpr std::string_view kSetWlanUsage =
    "set-wlan CAMERA-OPTIONS [--ssid SSID] [--enable 0|1] [--channel N]\n"
    "                      [--adhoc 0|1] [--encryption N] [--authentication N] [--key-length N]\n"
    "                      [--key-format N] [--default-key N] [--wep-key1..4 KEY]\n"
    "                      [--passphrase TEXT] [--tx-rate N] [--show-keys]\n"
    "                      Writes the camera's wireless settings, with numbers as the wireless\n"
    "                      pages keep them.";
