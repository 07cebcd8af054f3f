// SPDX-License-Identifier: Apache-2.0
#include "skin/PressGuard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

namespace {

std::optional<std::chrono::milliseconds>& chosenInterval()
{
    static std::optional<std::chrono::milliseconds> interval;
    return interval;
}

} // namespace

PressGuard::PressGuard(QWidget* page) : m_page(page)
{
    m_disarm.setSingleShot(true);
    connect(&m_disarm, &QTimer::timeout, this, &PressGuard::disarm);
}

std::chrono::milliseconds PressGuard::interval()
{
    if (chosenInterval())
        return *chosenInterval();
    return std::chrono::milliseconds(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void PressGuard::setInterval(std::optional<std::chrono::milliseconds> interval)
{
    chosenInterval() = interval;
}

void PressGuard::arm()
{
    m_intervalMs = interval().count();
    if (m_intervalMs <= 0)
        return;
    m_shown.start();
    // Presses go straight to the control under the pointer or with the focus; only the
    // application sees them all before they arrive.
    if (!m_disarm.isActive())
        QCoreApplication::instance()->installEventFilter(this);
    m_disarm.start(static_cast<int>(m_intervalMs));
}

void PressGuard::disarm()
{
    m_disarm.stop();
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PressGuard::isPress(const QEvent* event) const
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Select;
    }
    default:
        return false;
    }
}

QWidget* PressGuard::pressedWidget(QObject* watched, const QEvent* event) const
{
    if (watched->isWidgetType())
        return static_cast<QWidget*>(watched);
    // A mouse press reaches the window before any widget, and the window hands the focus to the
    // control under the pointer before that control sees the press: it must be stopped here, or
    // the ignored press still takes the focus from where the person is typing.
    QWidget* topLevel = m_page->window();
    if (watched != topLevel->windowHandle() || event->type() == QEvent::KeyPress)
        return nullptr;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    return topLevel->childAt(mouse->position().toPoint());
}

bool PressGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (!isPress(event))
        return false;
    QWidget* widget = pressedWidget(watched, event);
    if (widget == nullptr || (widget != m_page && !m_page->isAncestorOf(widget)))
        return false;
    if (m_shown.elapsed() < m_intervalMs)
        return true;
    disarm();
    return false;
}
