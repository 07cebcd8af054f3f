// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/SkinPageSpec.h"

#include <span>

// Every page that the wizard builds from a skin, by the pages' own tables, and every message it
// shows: what any skin must describe. Tools and tests walk it to build or check whole pages; it
// reads the tables from the pages' headers and links none of the pages' code.
std::span<const SkinPageSpec> SkinPages();

// The numbers of the skin messages that the wizard shows.
std::span<const int> SkinMessageNumbers();
