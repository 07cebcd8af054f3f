// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QTimer>
#include <QWidget>

// A turning arc with a line of text beside it: the page is waiting for the camera. It turns on
// its own timer, so a frozen window would show at once as a stopped arc.
class BusyIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent);

    void setText(const QString& text);
    void setColors(const QColor& arc, const QColor& text);
    void start();
    void stop();
    int angle() const { return m_angle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    QString m_text;
    QColor m_arc;
    QColor m_textColor;
    int m_angle = 0;
};
