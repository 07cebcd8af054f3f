// SPDX-License-Identifier: Apache-2.0
#include "skin/ProgramFolderNarrow.h"

#include "platform/ProgramFolder.h"

std::string ProgramFolderNarrow()
{
    std::string folder = ProgramFolder().native();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}
