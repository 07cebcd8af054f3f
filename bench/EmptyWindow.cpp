// The floor for the wizard's start-up figures: a bare Qt Widgets program that shows one empty
// window of the wizard's page size. With QUILLANE_STARTUP_STAMP set it reports, like the wizard,
// the wall-clock time of its first paint on standard error.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {

class FirstPaintStamp : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "empty window: first page painted at %lld.%09ld\n",
                         static_cast<long long>(now.tv_sec), now.tv_nsec);
            QCoreApplication::instance()->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaintStamp stamp;
    if (qEnvironmentVariableIsSet("QUILLANE_STARTUP_STAMP"))
        app.installEventFilter(&stamp);
    QWidget window;
    window.resize(720, 480);
    window.show();
    return app.exec();
}
