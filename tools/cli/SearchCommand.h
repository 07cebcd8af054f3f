#pragma once

#include "CliCommand.h"

// quillane-cli search: one camera search as the wizard runs it, and what it found.
int RunSearchCommand(const CliArguments& args);

inline constexpr std::string_view kSearchUsage =
    "search [--json] [--time] [--diag] [--search-time MS] [--repeats N]\n"
    "      (--diag: what each adapter sent, heard, accepted and dropped, on standard error; with\n"
    "      --json an object {\"cameras\": [...], \"adapters\": [...]} instead of the list)";
