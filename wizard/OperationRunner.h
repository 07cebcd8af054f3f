// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "device/OperationContext.h"
#include "wizard/WaitCursor.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <stop_token>
#include <thread>

class CDeviceManager;
struct WizardState;

// Runs camera operations on a worker thread, one at a time, so that the window keeps painting
// and answering while a camera takes its time. The main window owns it, beside the state and
// the manager that it hands to the operations, so a page that goes away mid-operation leaves
// nothing behind that the worker still uses. Shows the wait cursor while it runs.
//
//   runner.run(page, [](OperationContext& context) { return Login(context); },
//              [page](int code, int32_t detail) { ... });
//
// run()        Starts sequence on the worker; false, and nothing started, while another runs or
//              the manager searches. The sequence runs away from the page: it must capture
//              nothing of it, only values and what the context gives.
// done         Called on the interface thread with the sequence's result and the context's
//              error detail, after the worker has ended; not called when the receiver has gone
//              or the run was stopped.
// isRunning()  From run() until done has been called (or dropped). A timer that drives
//              several steps skips a tick that finds it true.
// stop()       The sequence ends at its next datagram or wait, within about 100 ms; done is
//              not called, whatever the sequence returned. finished() follows.
// hold()       While held, a result that comes in waits, and is handed over on release; a
//              page must not change under an open question.
class OperationRunner : public QObject
{
    Q_OBJECT
public:
    using Sequence = std::function<int(OperationContext&)>;
    using Done = std::function<void(int code, int32_t errorDetail)>;

    OperationRunner(WizardState& state, CDeviceManager& manager, QObject* parent = nullptr);
    // Stops a running sequence and waits for its worker.
    ~OperationRunner() override;
    OperationRunner(const OperationRunner&) = delete;
    OperationRunner& operator=(const OperationRunner&) = delete;

    bool run(QObject* receiver, Sequence sequence, Done done);
    bool isRunning() const { return m_running; }
    void stop();
    void hold(bool held);

signals:
    void busyChanged(bool busy);
    // The worker has ended and its result was handed over or dropped.
    void finished();

private:
    void workerEnded();
    void handOver();

    WizardState& m_state;
    CDeviceManager& m_manager;
    std::thread m_worker;
    std::stop_source m_stop;
    QPointer<QObject> m_receiver;
    Done m_done;
    // Written by the worker, read after joining it.
    int m_code = 0;
    int32_t m_detail = 0;
    bool m_running = false;
    bool m_ended = false;
    bool m_held = false;
    WaitCursorSwitch m_waitCursor;
};
