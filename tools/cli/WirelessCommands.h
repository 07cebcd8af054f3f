#pragma once

#include "CameraCommand.h"

// quillane-cli set-wlan: reads the camera's wireless settings, changes the ones given, checks
// them as the wireless pages do and writes them back as the wizard applies them.
int RunSetWlanCommand(const CliArguments& args);

inline constexpr std::string_view kSetWlanUsage =
    "set-wlan CAMERA-OPTIONS [--ssid SSID] [--enable 0|1] [--channel N] [--adhoc 0|1]\n"
    "      [--encryption N] [--authentication N] [--key-length N] [--key-format N] [--default-key N]\n"
    "      [--wep-key1..4 KEY] [--passphrase TEXT] [--tx-rate N] [--show-keys]\n"
    "      (numbers as the wireless pages keep them)";
