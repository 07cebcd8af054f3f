// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <vector>

struct AdapterSearchFigures;
class SkinFile;

// What the camera list says when a search heard no camera: the adapters it searched (or that
// there was none), each adapter on which no request could be sent with the system's reason, and
// what commonly keeps cameras silent, worded by the skin's list section.
QString SilentSearchText(const SkinFile& skin, const std::vector<AdapterSearchFigures>& searched);
