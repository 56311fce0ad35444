#include "UnoCall.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace {

class CallPump {
public:
    // Called on the GUI thread by UnoCall::run while the pump is active.
    void runThere(const std::function<void()>& work)
    {
        auto task = std::make_shared<Task>();
        task->work = &work;
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(task);
        }
        m_changed.notify_all();
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return task->done; });
        if (task->error)
            std::rethrow_exception(task->error);
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

    // On the UNO thread.
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
            auto task = m_tasks.front();
            m_tasks.pop_front();
            lock.unlock();
            try {
                (*task->work)();
            } catch (...) {
                task->error = std::current_exception();
            }
            lock.lock();
            task->done = true;
            m_changed.notify_all();
        }
    }

private:
    struct Task {
        const std::function<void()>* work = nullptr;
        std::exception_ptr error;
        bool done = false;
    };
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<Task>> m_tasks;
    bool m_started = false;
    bool m_finished = false;
    bool m_abandoned = false;
};

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
    if (g_activePump && onGuiThread())
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
    auto pump = std::make_shared<CallPump>();
    post([pump, guiWork = std::move(guiWork)] {
        if (!pump->begin()) {
            guiWork();
            return;
        }
        CallPump* outer = std::exchange(g_activePump, pump.get());
        try {
            guiWork();
        } catch (...) {
        }
        g_activePump = outer;
        pump->finish();
    });
    return pump->serve(startTimeoutMs);
}

} // namespace UnoCall
