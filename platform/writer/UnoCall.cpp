#include "platform/writer/UnoCall.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace {

// Hands office calls from the GUI thread to the UNO thread the office waits
// on, and hands nested notifications that arrive on that thread back to the
// GUI thread while it waits for its call.
class CallPump {
public:
    // On the GUI thread, while the pump is active: runs work on the pump thread.
    void runThere(const std::function<void()>& work)
    {
        auto task = std::make_shared<Job>();
        task->work = &work;
        std::unique_lock lock(m_mutex);
        m_tasks.push_back(task);
        m_changed.notify_all();
        runJobsUntilDone(lock, m_guiJobs, *task);
        if (task->error)
            std::rethrow_exception(task->error);
    }

    // On the pump thread, inside a task: runs work on the GUI thread, which
    // is waiting in runThere.
    void runOnGui(const std::function<void()>& work)
    {
        auto job = std::make_shared<Job>();
        job->work = &work;
        std::unique_lock lock(m_mutex);
        m_guiJobs.push_back(job);
        m_changed.notify_all();
        runJobsUntilDone(lock, m_tasks, *job);
    }

    // On the GUI thread: true when the pump thread still waits for this work.
    bool begin()
    {
        std::lock_guard lock(m_mutex);
        if (m_abandoned)
            return false;
        m_started = true;
        return true;
    }
    void finish()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_changed.notify_all();
    }

    // On the pump thread.
    bool serve(int startTimeoutMs)
    {
        std::unique_lock lock(m_mutex);
        if (!m_changed.wait_for(lock, std::chrono::milliseconds(startTimeoutMs), [&] { return m_started; })) {
            m_abandoned = true;
            return false;
        }
        for (;;) {
            m_changed.wait(lock, [&] { return m_finished || !m_tasks.empty(); });
            if (m_tasks.empty())
                return true;
            runFront(lock, m_tasks);
        }
    }

private:
    struct Job {
        const std::function<void()>* work = nullptr;
        std::exception_ptr error;
        bool done = false;
    };
    using Queue = std::deque<std::shared_ptr<Job>>;

    void runFront(std::unique_lock<std::mutex>& lock, Queue& queue)
    {
        auto job = queue.front();
        queue.pop_front();
        lock.unlock();
        try {
            (*job->work)();
        } catch (...) {
            job->error = std::current_exception();
        }
        lock.lock();
        job->done = true;
        m_changed.notify_all();
    }

    // Waits for a job of the other thread, meanwhile running what that
    // thread hands to this one.
    void runJobsUntilDone(std::unique_lock<std::mutex>& lock, Queue& mine, const Job& awaited)
    {
        for (;;) {
            m_changed.wait(lock, [&] { return awaited.done || !mine.empty(); });
            if (awaited.done)
                return;
            runFront(lock, mine);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    Queue m_tasks; // run by the pump thread
    Queue m_guiJobs; // run by the GUI thread
    bool m_started = false;
    bool m_finished = false;
    bool m_abandoned = false;
};

// The pump a UNO thread serves, set while it serves one.
thread_local CallPump* t_servedPump = nullptr;

// Only touched on the GUI thread.
CallPump* g_activePump = nullptr;

} // namespace

namespace UnoCall {

bool onGuiThread()
{
    auto* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void run(const std::function<void()>& work)
{
    if (onGuiThread() && g_activePump)
        g_activePump->runThere(work);
    else
        work();
}

void post(std::function<void()> work)
{
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

bool serveGuiWork(std::function<void()> guiWork, int startTimeoutMs)
{
    if (onGuiThread()) {
        guiWork();
        return true;
    }
    // A notification caused by an office call that this thread runs for the
    // GUI thread: the GUI thread waits for that call and takes the work now.
    if (t_servedPump) {
        t_servedPump->runOnGui(guiWork);
        return true;
    }
    auto pump = std::make_shared<CallPump>();
    post([pump, guiWork = std::move(guiWork)] {
        // Without the pump when the UNO thread has stopped waiting.
        const bool pumped = pump->begin();
        CallPump* outer = pumped ? std::exchange(g_activePump, pump.get()) : g_activePump;
        try {
            guiWork();
        } catch (...) {
            // Dropped (see the header); a pumped UNO thread must still be let go.
        }
        g_activePump = outer;
        if (pumped)
            pump->finish();
    });
    CallPump* outer = std::exchange(t_servedPump, pump.get());
    const bool served = pump->serve(startTimeoutMs);
    t_servedPump = outer;
    return served;
}

} // namespace UnoCall
