#include "CPicButton.h"

#include "ControlCommandEvent.h"
#include "DensityPicture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

CPicButton::CPicButton(int id, QObject* owner, QWidget* parent) : QWidget(parent), m_id(id), m_owner(owner)
{
    setMouseTracking(true);
}

void CPicButton::LoadImages(const QString& normal, const QString& down, const QString& hover,
                            const QString& disabled)
{
    const qreal ratio = devicePixelRatioF();
    m_normal = LoadPictureForRatio(normal, ratio);
    m_down = LoadPictureForRatio(down, ratio);
    m_hover = LoadPictureForRatio(hover, ratio);
    m_disabledImage = LoadPictureForRatio(disabled, ratio);
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
    switch (which) {
    case Image::Normal:
        return m_normal;
    case Image::Down:
        return m_down;
    case Image::Hover:
        return m_hover;
    case Image::Disabled:
        return m_disabledImage;
    case Image::None:
        break;
    }
    return none;
}

void CPicButton::paintEvent(QPaintEvent*)
{
    const QPixmap& picture = image(stateImage());
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
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
    if (rect().contains(event->position().toPoint()) && m_owner)
        QCoreApplication::postEvent(m_owner, new ControlCommandEvent(m_id, ControlCommandEvent::kClicked));
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
