#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <ctime>

// For start-up figures (bench/startup_bench.sh): with QUILLANE_STARTUP_STAMP set, the wall-clock
// time at which the first window has been painted goes to standard error, after `program`.
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
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "%s: first page painted at %lld.%09ld\n", m_program,
                         static_cast<long long>(now.tv_sec), now.tv_nsec);
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }

private:
    const char* m_program;
};
