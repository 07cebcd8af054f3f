// SPDX-License-Identifier: Apache-2.0
#include "wizard/OperationRunner.h"

#include "device/CDeviceManager.h"

#include <QApplication>
#include <QCursor>
#include <system_error>
#include <utility>

OperationRunner::OperationRunner(WizardState& state, CDeviceManager& manager, QObject* parent)
    : QObject(parent), m_state(state), m_manager(manager)
{
}

OperationRunner::~OperationRunner()
{
    m_stop.request_stop();
    if (m_worker.joinable())
        m_worker.join();
    m_waitCursor.set(false);
}

bool OperationRunner::run(QObject* receiver, Sequence sequence, Done done)
{
    if (m_running || m_manager.searching())
        return false;
    m_running = true;
    m_ended = false;
    m_receiver = receiver;
    m_done = std::move(done);
    m_stop = std::stop_source();
    auto work = [this, sequence = std::move(sequence), stop = m_stop.get_token()] {
        OperationContext context{m_state, m_manager};
        context.stop = stop;
        m_code = sequence(context);
        m_detail = context.errorDetail;
        QMetaObject::invokeMethod(this, &OperationRunner::workerEnded, Qt::QueuedConnection);
    };
    m_waitCursor.set(true);
    emit busyChanged(true);
    try {
        m_worker = std::thread(work);
    } catch (const std::system_error&) {
        // No thread to be had: the sequence still runs, only the window waits for it.
        work();
    }
    return true;
}

void OperationRunner::stop()
{
    if (m_running)
        m_stop.request_stop();
}

void OperationRunner::hold(bool held)
{
    m_held = held;
    handOver();
}

void OperationRunner::workerEnded()
{
    // The worker has nothing left to do but return; joining makes what it wrote ours.
    if (m_worker.joinable())
        m_worker.join();
    m_ended = true;
    handOver();
}

void OperationRunner::handOver()
{
    if (!m_ended || m_held)
        return;
    m_ended = false;
    m_running = false;
    const Done done = std::exchange(m_done, nullptr);
    const bool deliver = !m_stop.stop_requested() && m_receiver && done;
    m_receiver.clear();
    m_waitCursor.set(false);
    emit busyChanged(false);
    if (deliver)
        done(m_code, m_detail);
    emit finished();
}

