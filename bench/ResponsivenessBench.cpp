// SPDX-License-Identifier: Apache-2.0
// How well the window keeps answering while a slow camera is set up: the longest gap between
// ticks of a 10 ms timer on the interface thread while the wizard signs in and applies, beside
// the same gap in the idle window (the floor). Run only through bench/responsiveness_bench.sh,
// which builds the throw-away network with a slow simulated camera.
#include "skin/ControlCommandEvent.h"
#include "wizard/CDlgListCam.h"
#include "wizard/CQuillaneDlg.h"
#include "wizard/CWizardPage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTickMs = 10;

// Ticks of a 10 ms timer and the longest gap between two of them.
class TickWatch
{
public:
    TickWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
            ++m_ticks;
        });
    }

    void start()
    {
        m_longest = 0;
        m_ticks = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }

    void stop() { m_timer.stop(); }
    double longestMs() const { return m_longest / 1e6; }
    double elapsedMs() const { return m_clock.nsecsElapsed() / 1e6; }
    int ticks() const { return m_ticks; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_ticks = 0;
};

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void Press(CWizardPage* page, int id)
{
    QCoreApplication::postEvent(page, new ControlCommandEvent(id, ControlCommandEvent::kClicked));
}

void Type(CWizardPage* page, int id, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(page->FindControl(id)))
        edit->setText(text);
}

void Report(const char* what, const TickWatch& watch, double floorMs)
{
    std::printf("%-40s longest gap %8.1f ms  (%.1f x the floor; %d ticks in %.0f ms)\n", what, watch.longestMs(),
                watch.longestMs() / floorMs, watch.ticks(), watch.elapsedMs());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int delayMs = qEnvironmentVariableIntValue("QUILLANE_BENCH_DELAY_MS");
    DeviceTimeouts timeouts;
    timeouts.searchQuiet = std::chrono::milliseconds(500 + delayMs);
    timeouts.receive = std::chrono::milliseconds(1000 + 2 * delayMs);
    CQuillaneDlg wizard(timeouts);
    wizard.OnInitDialog();
    auto* list = qobject_cast<CDlgListCam*>(wizard.currentPage());
    if (!list || !WaitUntil([&] { return !list->isSearching(); }, 30000) || list->list()->rowCount() == 0) {
        std::fprintf(stderr, "responsiveness bench: no camera found\n");
        return 1;
    }

    TickWatch watch;
    watch.start();
    WaitUntil([] { return false; }, 3000);
    watch.stop();
    const double floorMs = watch.longestMs();
    Report("idle window (floor)", watch, floorMs);

    list->list()->selectRow(0);
    WaitUntil([] { return false; }, 50);
    Press(list, 1003);
    if (!WaitUntil([&] { return wizard.currentPageId() == PageId::IdPwd; }, 5000))
        return 1;
    Type(wizard.currentPage(), 1101, QStringLiteral("admin"));
    Type(wizard.currentPage(), 1102, QStringLiteral("admin"));

    // Each step runs from the press until the next page is shown.
    const auto step = [&](const char* what, PageId next) {
        watch.start();
        Press(wizard.currentPage(), 1003);
        const bool reached = WaitUntil([&] { return wizard.currentPageId() == next; }, 60000);
        watch.stop();
        if (reached)
            Report(what, watch, floorMs);
        else
            std::fprintf(stderr, "responsiveness bench: %s did not finish\n", what);
        return reached;
    };
    if (!step("sign-in (Verification, QueryOpcodes)", PageId::NetWork))
        return 1;
    WaitUntil([] { return false; }, 100);
    Press(wizard.currentPage(), 1003);
    if (!WaitUntil([&] { return wizard.currentPageId() == PageId::NetWorkFinish; }, 5000))
        return 1;
    WaitUntil([] { return false; }, 100);
    return step("apply (SetBasic, then the camera's wait)", PageId::ListCam) ? 0 : 1;
}
