// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <QEvent>

// Page-flow commands that pages send to the main window.
enum WizardCommand : int
{
    WIZ_BACK = 1524,
    WIZ_NEXT = 1525,
    WIZ_EXIT = 1526,
    WIZ_NOP = 1527,
    WIZ_ABOUT = 1537,
    WIZ_WPS = 1538,
};

class WizardCommandEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 100);

    explicit WizardCommandEvent(int command) : QEvent(kType), m_command(command) {}
    int command() const { return m_command; }

private:
    int m_command;
};

// Always posted, never sent: the main window destroys the posting page while it handles the
// command, so the page's own handler has to return first.
inline void PostWizardCommand(QObject* mainWindow, int command)
{
    if (mainWindow)
        QCoreApplication::postEvent(mainWindow, new WizardCommandEvent(command));
}
