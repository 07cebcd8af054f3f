// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "skin/SkinFile.h"

#include <QFont>

// The Qt font for a skin's font setting: its face, its pixel height and its weight.
QFont PageFont(const SkinFont& font);
