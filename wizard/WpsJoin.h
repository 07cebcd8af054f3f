// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"
#include "wizard/WpsJoinTiming.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

// The polling part of a WPS join, once InitWPS has been accepted: PollWPSInf until the camera
// has learned the network, SendWPS once, PollWPSStatus until it reports the join. Each step is
// handed to runStep, which runs it (off the interface thread, where it can) and calls back with
// its result; a tick that finds the last step still running does nothing.
class WpsJoin : public QObject
{
    Q_OBJECT
public:
    static constexpr int kProgressSteps = 120;

    using Step = std::function<int(OperationContext&)>;
    using StepDone = std::function<void(int code, int32_t errorDetail)>;
    // Starts step; false when it could not start (the tick then tries again).
    using RunStep = std::function<bool(Step step, StepDone done)>;

    enum class Stage
    {
        PollInfo,
        Send,
        PollStatus,
    };

    WpsJoin(RunStep runStep, WpsJoinTiming timing, QObject* parent = nullptr);

    void start();
    // Ends the join without a verdict; a step still running is ignored when it returns.
    void stop();
    bool isRunning() const { return m_running; }
    // While held, ticks do nothing (the page asks the person something).
    void hold(bool held) { m_held = held; }
    Stage stage() const { return m_stage; }

signals:
    // 0 to kProgressSteps over the current phase.
    void progress(int position);
    // The camera joined (success), or the join failed: a step's failure code, or timedOut.
    void finished(bool success, bool timedOut, int code, int32_t errorDetail);

private:
    void tick();
    void stepDone(int code, int32_t errorDetail);
    void finish(bool success, bool timedOut, int code, int32_t errorDetail);

    RunStep m_runStep;
    WpsJoinTiming m_timing;
    QTimer m_timer;
    QElapsedTimer m_phaseClock;
    Stage m_stage = Stage::PollInfo;
    bool m_running = false;
    bool m_stepRunning = false;
    bool m_held = false;
    // Tells a returning step which run it belongs to, so a stopped run's step is ignored.
    int m_run = 0;
};
