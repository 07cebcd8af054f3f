// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CameraCommand.h"

// quillane-cli wps: joins the camera to a wireless network by push button or PIN, polling as
// the WPS page does.
int RunWpsCommand(const CliArguments& args);

inline constexpr std::string_view kWpsUsage =
    "wps CAMERA-OPTIONS (--pbc | --pin) [--interval MS] [--limit S]\n"
    "                      Joins the camera to a wireless network by WPS push button or PIN,\n"
    "                      polling every --interval (default 1000 ms) for up to --limit (default\n"
    "                      120 s) per phase.";
