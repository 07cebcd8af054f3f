// SPDX-License-Identifier: Apache-2.0
#include "skin/FocusOutline.h"

#include <QEvent>
#include <QPainter>
#include <QPen>

FocusOutline::FocusOutline(QWidget* target) : QWidget(target->parentWidget()), m_target(target)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    hide();
}

bool FocusOutline::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::EnabledChange:
            follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusOutline::follow()
{
    const bool shown = m_target->isVisible() && m_target->isEnabled() && m_target->hasFocus() &&
                       m_target->window()->testAttribute(Qt::WA_KeyboardFocusChange);
    if (shown) {
        setGeometry(m_target->geometry());
        raise();
    }
    setVisible(shown);
}

void FocusOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight).darker(120), kWidth));
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
