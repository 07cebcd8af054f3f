#pragma once

#include "CliCommand.h"

// quillane-cli search: one camera search as the wizard runs it, and what it found.
int RunSearchCommand(const CliArguments& args);

inline constexpr std::string_view kSearchUsage = "search [--json] [--time]";
