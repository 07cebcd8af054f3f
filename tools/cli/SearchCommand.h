// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CliCommand.h"

// quillane-cli search: one camera search as the wizard runs it, and what it found.
int RunSearchCommand(const CliArguments& args);

inline constexpr std::string_view kSearchUsage =
    "search [--json] [--time] [--diag] [--search-time MS] [--repeats N]\n"
    "                      Searches every adapter and lists the cameras that answer. On standard\n"
    "                      error, --time adds how many answered and how long it took, --diag\n"
    "                      what each adapter sent, heard, accepted and dropped; with --json,\n"
    "                      --diag prints an object {\"cameras\": [...], \"adapters\": [...]}\n"
    "                      instead of the list.";
