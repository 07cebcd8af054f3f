// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>
#include <functional>

class QObject;

// Opens an address in the person's default browser. Tests switch to recording instead, so that
// nothing is launched, and may make the next opening fail.
class ShellOpen
{
public:
    enum class Failure
    {
        NoOpener,  // neither xdg-open nor Qt's own desktop services could be asked
        NotOpened, // the opener was asked, but no browser took the address
    };

    // `failed` runs, now or once the desktop's opener has given up, when no browser took the
    // address; not after `context` is gone.
    static void open(const QString& url, QObject* context, std::function<void(Failure)> failed);

    static void enableTestMode(bool on);
    static void failNextOpen(Failure failure = Failure::NotOpened);
    static const QStringList& opened();
    static void clearOpened();
};
