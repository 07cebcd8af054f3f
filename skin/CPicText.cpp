// SPDX-License-Identifier: Apache-2.0
#include "skin/CPicText.h"

#include "skin/SkinAccessible.h"

#include <QPainter>

CPicText::CPicText(int id, unsigned styleBits, QWidget* parent)
    : QWidget(parent), m_id(id), m_styleBits(styleBits)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    InstallSkinAccessible();
}

void CPicText::SetText(const QString& text)
{
    m_text = text;
    setAccessibleName(text);
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
    // A label of fields that do not count now (for example addresses under DHCP) looks it.
    painter.setPen(isEnabled() ? QColor(Qt::black)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_text);
}
