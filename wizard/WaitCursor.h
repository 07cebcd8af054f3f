// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QApplication>
#include <QCursor>

// The wait cursor while an operation blocks the interface thread. Released before a message
// box, which the person must be able to point at.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { release(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void release()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

// A wait cursor switched on and off over a span that no one scope holds (a search, a worker's
// run). Switching to the state it is in does nothing, so the override stack stays balanced.
class WaitCursorSwitch
{
public:
    WaitCursorSwitch() = default;
    ~WaitCursorSwitch() { set(false); }
    WaitCursorSwitch(const WaitCursorSwitch&) = delete;
    WaitCursorSwitch& operator=(const WaitCursorSwitch&) = delete;

    void set(bool on)
    {
        if (on == m_on)
            return;
        m_on = on;
        if (on)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_on = false;
};
