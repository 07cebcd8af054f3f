// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CliCommand.h"

// quillane-cli search: one camera search as the wizard runs it, and what it found.
int RunSearchCommand(const CliArguments& args);

// No request of the search could be sent: no adapter, or the system refused every send.
inline constexpr int kExitNothingSent = 7;

inline constexpr std::string_view kSearchUsage =
    "search [--json] [--time] [--diag] [--search-time MS] [--repeats N]\n"
    "                      Searches every adapter and lists the cameras that answer, 4096 at the\n"
    "                      most. On standard error, --time adds how many answered and how long it\n"
    "                      took, --diag what each adapter sent, had refused (with the system's\n"
    "                      reason), heard, accepted and dropped; with --json, --diag prints an\n"
    "                      object {\"cameras\": [...], \"adapters\": [...]} instead of the list.\n"
    "                      An adapter on which no request could be sent is named on standard\n"
    "                      error with the reason. Exit code 0 when a request went out (whether or\n"
    "                      not a camera answered), 7 when none could be sent at all, 2 for a\n"
    "                      usage error.";
