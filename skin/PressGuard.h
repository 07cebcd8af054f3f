// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <optional>

class QWidget;

// Ignores presses (mouse buttons, Space) that reach a page within the double-click interval
// after it was shown. Pages replace each other at the same place: without this, the second
// click of a double-click on one page's Next presses whatever the next page has there, before
// the person has seen that page.
class PressGuard : public QObject
{
    Q_OBJECT
public:
    explicit PressGuard(QWidget* page);

    // The page has just been shown.
    void arm();
    bool isArmed() const { return m_disarm.isActive(); }

    // The desktop's double-click interval unless set; tests set their own so that they do not
    // depend on desktop settings (0 turns the guard off).
    static std::chrono::milliseconds interval();
    static void setInterval(std::optional<std::chrono::milliseconds> interval);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void disarm();
    bool isPress(const QEvent* event) const;
    // The widget a press is meant for, whether it reaches the window or the widget itself.
    QWidget* pressedWidget(QObject* watched, const QEvent* event) const;

    QWidget* m_page; // not owned: the page holds the guard
    QElapsedTimer m_shown;
    qint64 m_intervalMs = 0;
    QTimer m_disarm;
};
