// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <cstdio>
#include <ctime>

// For start-up figures (bench/startup_bench.sh): with QUILLANE_STARTUP_STAMP set, the wall-clock
// time at which the first window has been painted goes to standard error, after `program`. The
// time is taken once that paint, its children's and the flush to the screen are done, not when
// it begins, so that a page with many controls is not measured as cheaply as an empty window.
class FirstPaintStamp : public QObject
{
public:
    explicit FirstPaintStamp(const char* program) : m_program(program)
    {
        if (qEnvironmentVariableIsSet("QUILLANE_STARTUP_STAMP"))
            QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: runs when the event that paints the window has been handled completely.
            QMetaObject::invokeMethod(this, [this] { print(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void print() const
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::fprintf(stderr, "%s: first page painted at %lld.%09ld\n", m_program,
                     static_cast<long long>(now.tv_sec), now.tv_nsec);
    }

    const char* m_program;
};
