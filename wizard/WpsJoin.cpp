// SPDX-License-Identifier: Apache-2.0
#include "wizard/WpsJoin.h"

#include "device/WpsOperations.h"

#include <algorithm>

WpsJoin::WpsJoin(RunStep runStep, WpsJoinTiming timing, QObject* parent)
    : QObject(parent), m_runStep(std::move(runStep)), m_timing(timing)
{
    m_timer.setInterval(static_cast<int>(m_timing.tick.count()));
    connect(&m_timer, &QTimer::timeout, this, &WpsJoin::tick);
}

void WpsJoin::start()
{
    ++m_run;
    m_stage = Stage::PollInfo;
    m_running = true;
    m_stepRunning = false;
    m_phaseClock.start();
    emit progress(0);
    m_timer.start();
}

void WpsJoin::stop()
{
    ++m_run;
    m_running = false;
    m_stepRunning = false;
    m_timer.stop();
}

void WpsJoin::tick()
{
    if (!m_running || m_stepRunning || m_held)
        return;
    const auto phase = std::max<qint64>(1, m_timing.phase.count());
    const qint64 elapsed = m_phaseClock.elapsed();
    if (elapsed >= phase) {
        finish(false, true, OperationResult::kAskAgain, 0);
        return;
    }
    emit progress(static_cast<int>(elapsed * kProgressSteps / phase));

    Step step;
    switch (m_stage) {
    case Stage::PollInfo:
        step = PollWPSInf;
        break;
    case Stage::Send:
        step = SendWPS;
        break;
    case Stage::PollStatus:
        step = PollWPSStatus;
        break;
    }
    const int run = m_run;
    m_stepRunning = true;
    const bool started = m_runStep(std::move(step), [this, run](int code, int32_t detail) {
        if (run == m_run)
            stepDone(code, detail);
    });
    if (!started && run == m_run)
        m_stepRunning = false;
}

void WpsJoin::stepDone(int code, int32_t errorDetail)
{
    m_stepRunning = false;
    if (!m_running)
        return;
    if (code == OperationResult::kAskAgain && m_stage != Stage::Send)
        return;
    if (code != OperationResult::kSuccess) {
        finish(false, false, code, errorDetail);
        return;
    }
    switch (m_stage) {
    case Stage::PollInfo:
        m_stage = Stage::Send;
        break;
    case Stage::Send:
        // The camera now joins; that gets a whole phase of its own.
        m_stage = Stage::PollStatus;
        m_phaseClock.start();
        break;
    case Stage::PollStatus:
        finish(true, false, code, errorDetail);
        break;
    }
}

void WpsJoin::finish(bool success, bool timedOut, int code, int32_t errorDetail)
{
    stop();
    emit progress(kProgressSteps);
    emit finished(success, timedOut, code, errorDetail);
}
