// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <filesystem>

// The folder that holds the running executable; data files lie beside it.
std::filesystem::path ProgramFolder();
