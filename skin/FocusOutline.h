// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

// A ring drawn around a control that the style shows no focus for (the camera list), in the
// picture buttons' colours, once the keyboard has moved the focus, as the buttons do. It lies
// over the control's edge and lets the mouse through.
class FocusOutline : public QWidget
{
    Q_OBJECT
public:
    // Follows target, a child of the same parent, until either goes.
    explicit FocusOutline(QWidget* target);

    static constexpr int kWidth = 2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QWidget* m_target; // not owned: a sibling
};
