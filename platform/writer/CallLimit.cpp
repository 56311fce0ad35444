#include "platform/writer/CallLimit.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// One thread for the whole process watches every running call, with the
// limits every call of the program has. It is never joined: it only waits
// while nothing is due, and it holds no resources.
class Watchdog {
public:
    static Watchdog& instance()
    {
        // Process-wide: one watch over every office call, never destroyed.
        static Watchdog* watchdog = new Watchdog;
        return *watchdog;
    }

    int arm(Clock::time_point deadline, std::function<void()> onExpiry)
    {
        std::lock_guard lock(m_mutex);
        const int id = ++m_lastId;
        // The watch is woken only when it has to wait less than before, not
        // on every one of the many short calls.
        const bool sooner = std::none_of(m_calls.begin(), m_calls.end(),
            [&](const auto& call) { return call.second.deadline <= deadline; });
        m_calls.emplace(id, Call { deadline, std::move(onExpiry), false });
        if (sooner)
            m_changed.notify_all();
        return id;
    }

    // Returns whether the limit had passed.
    bool disarm(int id)
    {
        std::unique_lock lock(m_mutex);
        // An expiry action that is running must end before the call's
        // objects go away.
        m_changed.wait(lock, [&] { return m_running != id; });
        const auto found = m_calls.find(id);
        const bool expired = found->second.expired;
        m_calls.erase(found);
        return expired;
    }

    bool expired(int id)
    {
        std::lock_guard lock(m_mutex);
        return m_calls.at(id).expired;
    }

private:
    struct Call {
        Clock::time_point deadline;
        std::function<void()> onExpiry;
        bool expired;
    };

    Watchdog()
    {
        std::thread([this] { watch(); }).detach();
    }

    void watch()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            auto due = m_calls.end();
            for (auto it = m_calls.begin(); it != m_calls.end(); ++it)
                if (!it->second.expired
                    && (due == m_calls.end() || it->second.deadline < due->second.deadline))
                    due = it;
            if (due == m_calls.end()) {
                m_changed.wait(lock);
                continue;
            }
            // A copy: the call may end, and its entry go, while this waits.
            const Clock::time_point deadline = due->second.deadline;
            if (Clock::now() < deadline) {
                m_changed.wait_until(lock, deadline);
                continue;
            }
            due->second.expired = true;
            m_running = due->first;
            const std::function<void()> action = due->second.onExpiry;
            lock.unlock();
            action();
            lock.lock();
            m_running = 0;
            m_changed.notify_all();
        }
    }

public:
    std::atomic<int> callMs { 30000 };
    std::atomic<int> saveMs { 180000 };

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<int, Call> m_calls;
    int m_lastId = 0;
    int m_running = 0;
};

} // namespace

CallLimit::CallLimit(int limitMs, std::function<void()> onExpiry)
    : m_id(Watchdog::instance().arm(Clock::now() + std::chrono::milliseconds(limitMs), std::move(onExpiry)))
{
}

CallLimit::~CallLimit()
{
    Watchdog::instance().disarm(m_id);
}

bool CallLimit::expired() const
{
    return Watchdog::instance().expired(m_id);
}

int CallLimit::callMs()
{
    return Watchdog::instance().callMs;
}

int CallLimit::saveMs()
{
    return Watchdog::instance().saveMs;
}

void CallLimit::setLimits(int callMs, int saveMs)
{
    Watchdog::instance().callMs = callMs;
    Watchdog::instance().saveMs = saveMs;
}
