// SPDX-License-Identifier: Apache-2.0
#include "skin/FirstShown.h"

#include <QEvent>
#include <QWidget>

FirstShown::FirstShown(QWidget* window) : m_window(window)
{
    m_latest.setSingleShot(true);
    m_latest.setInterval(kLatestMs);
    connect(&m_latest, &QTimer::timeout, this, &FirstShown::finish);
    m_window->installEventFilter(this);
}

bool FirstShown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || m_done)
        return false;
    if (event->type() == QEvent::Show && !m_latest.isActive())
        m_latest.start();
    else if (event->type() == QEvent::Paint)
        // Queued: the paint has reached the screen once the event that brought it is handled.
        QMetaObject::invokeMethod(this, &FirstShown::finish, Qt::QueuedConnection);
    return false;
}

void FirstShown::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_latest.stop();
    m_window->removeEventFilter(this);
    emit shown();
}
