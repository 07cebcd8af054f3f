#pragma once

#include <QStringList>

// Opens an address in the person's default browser. Tests switch to recording instead, so that
// nothing is launched.
class ShellOpen
{
public:
    static bool open(const QString& url);

    static void enableTestMode(bool on);
    static const QStringList& opened();
    static void clearOpened();
};
