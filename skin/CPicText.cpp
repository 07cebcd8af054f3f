#include "CPicText.h"

#include <QPainter>

CPicText::CPicText(int id, unsigned styleBits, QWidget* parent)
    : QWidget(parent), m_id(id), m_styleBits(styleBits)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CPicText::SetText(const QString& text)
{
    m_text = text;
    Redraw();
}

void CPicText::Redraw()
{
    update();
}

// No background of its own: the page's background shows through, as the label lies on it.
void CPicText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}
