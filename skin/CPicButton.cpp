// SPDX-License-Identifier: Apache-2.0
#include "skin/CPicButton.h"

#include "skin/ControlCommandEvent.h"
#include "skin/DensityPicture.h"
#include "skin/SkinAccessible.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CPicButton::CPicButton(int id, QObject* owner, QWidget* parent) : QWidget(parent), m_id(id), m_owner(owner)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    InstallSkinAccessible();
}

void CPicButton::LoadImages(const QString& normal, const QString& down, const QString& hover,
                            const QString& disabled)
{
    m_pictures = {StatePicture{normal, {}, false}, StatePicture{down, {}, false},
                  StatePicture{hover, {}, false}, StatePicture{disabled, {}, false}};
    Redraw();
}

void CPicButton::SetTip(const QString& text)
{
    setToolTip(text);
}

void CPicButton::Redraw()
{
    update();
}

void CPicButton::setDisabledFlag(bool disabled)
{
    m_disabled = disabled;
    // A disabled button is no tab stop, as a disabled standard button is not.
    setFocusPolicy(disabled ? Qt::NoFocus : Qt::StrongFocus);
    if (disabled) {
        // A button disabled while pressed must not keep the mouse.
        if (m_pressed)
            releaseMouse();
        m_pressed = false;
        m_hovered = false;
    }
}

CPicButton::Image CPicButton::stateImage() const
{
    if (m_hovered)
        return Image::Hover;
    if (m_pressed)
        return Image::Down;
    if (m_disabled)
        return Image::Disabled;
    return Image::Normal;
}

CPicButton::Image CPicButton::shownImage() const
{
    const Image state = stateImage();
    return image(state).isNull() ? Image::None : state;
}

const QPixmap& CPicButton::image(Image which) const
{
    static const QPixmap none;
    if (which == Image::None)
        return none;
    StatePicture& picture = m_pictures[static_cast<size_t>(which) - static_cast<size_t>(Image::Normal)];
    if (!picture.decoded) {
        picture.pixmap = LoadPictureForRatio(picture.path, devicePixelRatioF());
        picture.decoded = true;
    }
    return picture.pixmap;
}

void CPicButton::click()
{
    if (!m_disabled && m_owner)
        QCoreApplication::postEvent(m_owner, new ControlCommandEvent(m_id, ControlCommandEvent::kClicked));
}

void CPicButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPixmap& picture = image(stateImage());
    if (!picture.isNull())
        painter.drawPixmap(0, 0, picture);
    // Like the standard controls, the frame shows once the keyboard has moved the focus.
    if (hasFocus() && !m_disabled && window()->testAttribute(Qt::WA_KeyboardFocusChange))
        paintFocusFrame(painter);
}

// Drawn over the picture, inside its edge: a ring in the desktop's highlight colour with a white
// one inside it, so that it shows on light and on coloured pictures alike.
void CPicButton::paintFocusFrame(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight).darker(120), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawRoundedRect(QRectF(rect()).adjusted(2.75, 2.75, -2.75, -2.75), 4.5, 4.5);
}

void CPicButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (m_disabled || event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_hovered = false;
    grabMouse();
    Redraw();
}

void CPicButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_disabled || !m_pressed || event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    releaseMouse();
    Redraw();
    if (rect().contains(event->position().toPoint()))
        click();
}

void CPicButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_disabled || m_pressed)
        return;
    m_hovered = true;
    Redraw();
}

void CPicButton::leaveEvent(QEvent*)
{
    m_hovered = false;
    Redraw();
}

// Space presses and releases the button as the mouse does; Enter and Esc go on to the page,
// which swallows them.
void CPicButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_disabled || m_pressed || event->isAutoRepeat())
        return;
    m_pressed = true;
    m_hovered = false;
    Redraw();
}

void CPicButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (m_disabled || !m_pressed || event->isAutoRepeat() || mouseGrabber() == this)
        return;
    m_pressed = false;
    Redraw();
    click();
}

void CPicButton::focusOutEvent(QFocusEvent* event)
{
    // A Space press does not follow the focus elsewhere.
    if (m_pressed && mouseGrabber() != this) {
        m_pressed = false;
        Redraw();
    }
    QWidget::focusOutEvent(event);
}
