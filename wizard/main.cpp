#include "CQuillaneApp.h"

#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {

// For start-up figures (bench/startup_bench.sh): with QUILLANE_STARTUP_STAMP set, the wall-clock
// time at which the first page has been painted goes to standard error.
class FirstPaintStamp : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "quillane: first page painted at %lld.%09ld\n",
                         static_cast<long long>(now.tv_sec), now.tv_nsec);
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    CQuillaneApp app(argc, argv);
    FirstPaintStamp stamp;
    if (qEnvironmentVariableIsSet("QUILLANE_STARTUP_STAMP"))
        app.installEventFilter(&stamp);
    return app.run();
}
