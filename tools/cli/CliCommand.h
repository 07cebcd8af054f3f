// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using CliArguments = std::vector<std::string>;

// One top-level command of quillane-cli. run gets the arguments after the command name and
// returns the exit code; errors are one line on standard error.
struct CliCommand
{
    std::string_view name;
    std::string_view usage;
    int (*run)(const CliArguments& args);
};

// Prints "quillane-cli: message" on standard error and returns the exit code for usage errors.
int CliError(std::string_view message);

// Reports an argument that no option of the command takes, by its position only: such a stray
// is often a password typed in the wrong place. Returns the exit code for usage errors.
int UnknownArgument(std::string_view command, size_t position);

inline constexpr int kExitUsage = 2;
inline constexpr int kExitFailure = 1;
