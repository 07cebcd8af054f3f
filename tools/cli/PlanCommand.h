#pragma once

#include "CliCommand.h"

// quillane-cli plan: sets up many cameras from a CSV file, each confirmed by a search afterwards.
int RunPlanCommand(const CliArguments& args);

inline constexpr std::string_view kPlanUsage =
    "plan FILE.csv [--dry-run] [--json] [--id ID] [--password PWD | --password-file FILE |\n"
    "      --password-env VAR | --password-stdin] [--interface NAME] [--timeout MS] [--search-time MS]\n"
    "      [--templates DIR]\n"
    "      one row per camera; the first line names the columns: mac, and any of name, dhcp (1/0),\n"
    "      ip, mask, gateway, dns1, dns2, new_password, id, password (empty cells keep the camera's\n"
    "      value; id and password default to the options). --dry-run prints what would change;\n"
    "      otherwise each row is applied in turn and confirmed by one search at the end. Rows are\n"
    "      numbered by their line. Passwords are never printed. Exit code 0 when every row is\n"
    "      confirmed (or, dry, would go on), 1 otherwise, 2 for a file or option that cannot be used";
