#pragma once

#include "CameraCommand.h"

// quillane-cli login, opcodes, get-wlan: the reading operations.
int RunLoginCommand(const CliArguments& args);
int RunOpcodesCommand(const CliArguments& args);
int RunGetWlanCommand(const CliArguments& args);

inline constexpr std::string_view kLoginUsage = "login CAMERA-OPTIONS [--show-keys]";
inline constexpr std::string_view kOpcodesUsage = "opcodes CAMERA-OPTIONS";
inline constexpr std::string_view kGetWlanUsage = "get-wlan CAMERA-OPTIONS [--show-keys]";
