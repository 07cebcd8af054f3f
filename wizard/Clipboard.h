// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

// Puts text on the system clipboard. Tests switch to recording instead, so that they read what
// was copied without depending on a clipboard the platform may not have.
class Clipboard
{
public:
    static void setText(const QString& text);

    static void enableTestMode(bool on);
    // What the last setText put there.
    static QString text();
};
