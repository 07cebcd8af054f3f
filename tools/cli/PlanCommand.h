// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tools/cli/CliCommand.h"

// quillane-cli plan: sets up many cameras from a CSV file, each confirmed by a search afterwards.
int RunPlanCommand(const CliArguments& args);

inline constexpr std::string_view kPlanUsage =
    "plan FILE.csv [--dry-run] [--json] [--id ID] [--password PWD |\n"
    "                      --password-file FILE | --password-env VAR | --password-stdin]\n"
    "                      [--interface NAME] [--timeout MS] [--search-time MS] [--templates DIR]\n"
    "                      Sets up the cameras of a table, one row per camera. Its first line\n"
    "                      names the columns: mac, and any of name, dhcp (1/0), ip, mask, gateway,\n"
    "                      dns1, dns2, new_password, id, password. Empty cells keep the camera's\n"
    "                      value; id and password default to the options. --dry-run prints what\n"
    "                      would change; otherwise each row is applied in turn and confirmed by\n"
    "                      one search at the end. Rows are numbered by their line. Passwords are\n"
    "                      never printed. Exit code 0 when every row is confirmed (or, dry, would\n"
    "                      go on), 1 otherwise, 2 for a file or option that cannot be used.";
