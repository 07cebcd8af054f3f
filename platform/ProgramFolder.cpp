// SPDX-License-Identifier: Apache-2.0
#include "platform/ProgramFolder.h"

#include <system_error>

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return std::filesystem::current_path(error);
    return exe.parent_path();
}
