#pragma once

#include <functional>

// A time limit for one call into the office. A watchdog thread runs the
// expiry action once the limit passes while the call still runs; the action
// must make the waiting call return (by letting its office go).
class CallLimit {
public:
    CallLimit(int limitMs, std::function<void()> onExpiry);
    ~CallLimit();
    CallLimit(const CallLimit&) = delete;
    CallLimit& operator=(const CallLimit&) = delete;

    // True once the limit passed during the call.
    bool expired() const;

    // The limits of ordinary calls and of saving; tests shorten them.
    static int callMs();
    static int saveMs();
    static void setLimits(int callMs, int saveMs);

private:
    int m_id;
};
