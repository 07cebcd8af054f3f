// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CliCommand.h"

// quillane-cli template dump|encode|decode: shows what a template file does.
int RunTemplateCommand(const CliArguments& args);

inline constexpr std::string_view kTemplateUsage =
    "template dump FILE [--json]\n"
    "                      Lists the fields that a template file lays out.\n"
    "\n"
    "  template encode FILE [NAME=VALUE ...]\n"
    "                      Prints in hex the request body that the template makes of the values.\n"
    "\n"
    "  template decode FILE MODE HEX\n"
    "                      Decodes a reply, given in hex, in parsing mode MODE (such as 163 or\n"
    "                      0xa3) and lists its fields.";
