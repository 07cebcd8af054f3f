// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/SkinPageSpec.h"

class CPicDialog;

// Builds every control of a catalogued page on an empty skinned page, as the page itself would,
// and gives the camera list its skinned columns and font. Returns how many controls were built.
int BuildSkinPage(CPicDialog& page, const SkinPageSpec& pageSpec);
