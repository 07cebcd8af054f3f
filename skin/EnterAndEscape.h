// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QKeyEvent>

// Pages and the main window swallow these keys, so that neither closes a page or presses a
// default button.
inline bool IsEnterOrEscape(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
