// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QEvent>

// A control of a skinned page reports a click or a change to its page. Posted, so that the
// page handles it after the control's own event handler has finished.
class ControlCommandEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 101);

    // Notification codes, as the controls' Windows counterparts number them.
    static constexpr int kClicked = 0;
    static constexpr int kSelectionChanged = 1;
    static constexpr int kTextChanged = 0x0300;

    ControlCommandEvent(int id, int code) : QEvent(kType), m_id(id), m_code(code) {}
    int id() const { return m_id; }
    int code() const { return m_code; }

private:
    int m_id;
    int m_code;
};
