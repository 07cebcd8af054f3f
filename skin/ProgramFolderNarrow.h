// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

// The program folder without a trailing separator, as the native (byte) path that file
// functions take. Pages build the template folder from it.
std::string ProgramFolderNarrow();
