// SPDX-License-Identifier: Apache-2.0
#include "wizard/BusyIndicator.h"

#include <QPainter>

namespace {

constexpr int kFrameMs = 40;
constexpr int kStepDegrees = 12;

} // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BusyIndicator"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer.setInterval(kFrameMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + kStepDegrees) % 360;
        update();
    });
    hide();
}

void BusyIndicator::setText(const QString& text)
{
    m_text = text;
    update();
}

void BusyIndicator::setColors(const QColor& arc, const QColor& text)
{
    m_arc = arc;
    m_textColor = text;
    update();
}

void BusyIndicator::start()
{
    m_angle = 0;
    m_timer.start();
    raise();
    show();
}

void BusyIndicator::stop()
{
    m_timer.stop();
    hide();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(height(), 22);
    const QRectF ring(2.5, (height() - side) / 2.0 + 0.5, side - 3, side - 3);
    QColor track = m_arc;
    track.setAlpha(40);
    painter.setPen(QPen(track, 3));
    painter.drawEllipse(ring);
    painter.setPen(QPen(m_arc, 3, Qt::SolidLine, Qt::RoundCap));
    // Qt counts sixteenths of a degree, anticlockwise: negative turns it clockwise.
    painter.drawArc(ring, -m_angle * 16, 100 * 16);

    painter.setPen(m_textColor);
    const QRect textArea(side + 10, 0, width() - side - 10, height());
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, m_text);
}
