// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/WpsJoinTiming.h"

class CDeviceManager;
class OperationRunner;
class QFont;
struct WizardState;

// What the main window hands to a page; none of it is owned by the page. A page that receives
// nothing (the About page) gets null pointers.
struct PageLinks
{
    CDeviceManager* primary = nullptr;
    CDeviceManager* secondary = nullptr;
    WizardState* state = nullptr;
    const QFont* pageFont = nullptr;
    // Runs the page's camera operations off the interface thread.
    OperationRunner* runner = nullptr;
    WpsJoinTiming wpsTiming;
};
