// SPDX-License-Identifier: Apache-2.0
// The runner that keeps camera operations off the interface thread, with stand-in sequences:
// results come back on the interface thread, a stop ends a long wait at once, and nothing is
// handed to a page that has gone.

#include "wizard/OperationRunner.h"

#include "device/CDeviceManager.h"
#include "device/WizardState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <optional>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Waits as a camera would, for as long as asked or until stopped.
OperationRunner::Sequence Waiting(std::chrono::milliseconds wait, int code = -1, int32_t detail = 0)
{
    return [=](OperationContext& context) {
        SleepUnlessStopped(wait, context.stop);
        context.errorDetail = detail;
        return code;
    };
}

} // namespace

class OperationRunnerTest : public QObject
{
    Q_OBJECT

    WizardState m_state;
    std::unique_ptr<CDeviceManager> m_manager;
    std::unique_ptr<OperationRunner> m_runner;
    QObject m_page;
    std::optional<std::pair<int, int32_t>> m_result;
    Qt::HANDLE m_doneThread = nullptr;

    OperationRunner::Done record()
    {
        return [this](int code, int32_t detail) {
            m_result = std::make_pair(code, detail);
            m_doneThread = QThread::currentThreadId();
        };
    }

private slots:
    void init()
    {
        m_manager = std::make_unique<CDeviceManager>();
        m_manager->SetAdapterSource([] { return std::vector<AdapterAddress>{}; });
        m_runner = std::make_unique<OperationRunner>(m_state, *m_manager);
        m_result.reset();
        m_doneThread = nullptr;
    }

    void cleanup()
    {
        m_runner.reset();
        QVERIFY(!QApplication::overrideCursor());
    }

    void resultComesBackOnTheInterfaceThreadWhileTheLoopTurns()
    {
        QSignalSpy busy(m_runner.get(), &OperationRunner::busyChanged);
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();
        Qt::HANDLE worker = nullptr;
        auto sequence = [&](OperationContext& context) {
            worker = QThread::currentThreadId();
            return Waiting(300ms, 30, 1500)(context);
        };

        QVERIFY(m_runner->run(&m_page, sequence, record()));
        QVERIFY(m_runner->isRunning());
        QVERIFY(QApplication::overrideCursor());
        // One at a time: a second sequence is refused while the first runs.
        QVERIFY(!m_runner->run(&m_page, Waiting(0ms), record()));
        QTRY_VERIFY(m_result.has_value());

        QCOMPARE(*m_result, std::make_pair(30, int32_t(1500)));
        QCOMPARE(m_doneThread, QThread::currentThreadId());
        QVERIFY(worker != QThread::currentThreadId());
        QVERIFY(ticks >= 5);
        QVERIFY(!m_runner->isRunning());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(busy.size(), 2);
        QCOMPARE(busy.at(0).at(0).toBool(), true);
        QCOMPARE(busy.at(1).at(0).toBool(), false);
    }

    // How a run can end without its result reaching the page. Each ends within a second,
    // although the camera asked for two minutes, except the page that went while the camera
    // answered as usual.
    void endingsThatHandNothingOver_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("waitMs");
        QTest::newRow("stopped") << "stop" << 120000;
        QTest::newRow("runner destroyed") << "destroy" << 120000;
        QTest::newRow("page gone") << "leave" << 200;
    }

    void endingsThatHandNothingOver()
    {
        QFETCH(QString, ending);
        QFETCH(int, waitMs);
        auto page = std::make_unique<QObject>();
        QVERIFY(m_runner->run(page.get(), Waiting(std::chrono::milliseconds(waitMs)), record()));
        QSignalSpy finished(m_runner.get(), &OperationRunner::finished);
        QTest::qWait(100);
        QElapsedTimer clock;
        clock.start();
        if (ending == "destroy") {
            m_runner.reset();
        } else {
            if (ending == "stop")
                m_runner->stop();
            else
                page.reset();
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 1000);
            QVERIFY(!m_runner->isRunning());
        }
        QVERIFY(clock.elapsed() < 1000);
        QTest::qWait(50);
        QVERIFY(!m_result.has_value());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aHeldResultWaitsForTheRelease()
    {
        m_runner->hold(true);
        QVERIFY(m_runner->run(&m_page, Waiting(0ms, -1), record()));
        QTest::qWait(200);
        QVERIFY(!m_result.has_value());
        QVERIFY(m_runner->isRunning());
        m_runner->hold(false);
        QVERIFY(m_result.has_value());
        QVERIFY(!m_runner->isRunning());
    }

    // The WPS page drives its steps one after another: a step's result starts the next.
    void doneMayStartTheNextStep()
    {
        int steps = 0;
        std::function<void(int, int32_t)> next = [&](int, int32_t) {
            if (++steps < 3)
                QVERIFY(m_runner->run(&m_page, Waiting(10ms), next));
        };
        QVERIFY(m_runner->run(&m_page, Waiting(10ms), next));
        QTRY_COMPARE(steps, 3);
        QTRY_VERIFY(!m_runner->isRunning());
    }
};

QTEST_MAIN(OperationRunnerTest)
#include "OperationRunnerTest.moc"
