// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/CDeviceManager.h"

#include <QApplication>

// The application: sets up Qt and runs the main window until the wizard is left.
class CQuillaneApp : public QApplication
{
    Q_OBJECT
public:
    CQuillaneApp(int& argc, char** argv);

    int run();

    // The product's timeouts, unless QUILLANE_SEARCH_QUIET_MS or QUILLANE_RECEIVE_MS shorten
    // them (tests and demonstrations).
    static DeviceTimeouts TimeoutsFromEnvironment();
};
