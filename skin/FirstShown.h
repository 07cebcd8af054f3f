// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <QTimer>

class QWidget;

// Tells once when a window's first picture is on the screen: after its first paint has been
// handled and flushed, or, when the window system has it paint nothing (a covered or minimised
// window), kLatestMs after it was first shown. Work that a person does not see (starting a
// search, the window icon) waits for it, so that a starting program shows its first page sooner.
class FirstShown : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLatestMs = 250;

    explicit FirstShown(QWidget* window);

    bool done() const { return m_done; }

signals:
    void shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finish();

    QWidget* m_window;
    QTimer m_latest;
    bool m_done = false;
};
