// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

// A label drawn straight onto the page background: black text (grey while disabled),
// left-aligned and word-wrapped from the top. It ignores the mouse.
class CPicText : public QWidget
{
    Q_OBJECT
public:
    // The style bit that a skin's "password" key sets; kept for pages that look at it.
    static constexpr unsigned kPasswordStyle = 0x20;

    CPicText(int id, unsigned styleBits, QWidget* parent);

    int id() const { return m_id; }
    unsigned styleBits() const { return m_styleBits; }
    const QString& text() const { return m_text; }

    void SetText(const QString& text);
    void Redraw();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_id;
    unsigned m_styleBits;
    QString m_text;
};
