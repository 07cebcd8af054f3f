// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "wizard/PageFlow.h"

#include <QWidget>
#include <memory>
#include <span>

class CWizardPage;

// What the main window hands a page.
enum class PageReceives
{
    Nothing,
    State,
    PrimaryAndState,
    BothManagersAndState,
};

// The WPS page is opened from the camera list or from the wireless choice.
enum class WpsPageMode
{
    NotWps,
    FromList,
    FromChoice,
};

// One row per page: how it is made and what it receives. A page without a maker cannot be
// created yet, and a transition to it leaves the current page in place.
struct PageRegistration
{
    PageId id;
    std::unique_ptr<CWizardPage> (*make)(QWidget* mainWindow);
    PageReceives receives;
    WpsPageMode wpsMode = WpsPageMode::NotWps;
};

std::span<const PageRegistration> PageRegistrations();
// The row of a page, or nullptr for a number that is no page.
const PageRegistration* FindPageRegistration(PageId id);
