// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CDeviceManager.h"

#include <memory>

// One device manager for the whole fuzzing run, reading the catalogue's templates; it never
// searches, so it opens no socket.
inline CDeviceManager& FuzzManager()
{
    static const auto manager = [] {
        auto made = std::make_unique<CDeviceManager>();
        made->SetTemplateFolder(QUILLANE_TEMPLATE_DIR);
        return made;
    }();
    return *manager;
}
