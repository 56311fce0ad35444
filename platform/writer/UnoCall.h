#pragma once

#include <QString>
#include <functional>

// Where the program's UNO calls run, so that the window never waits on the
// office. Calls made on the GUI thread run on the office thread, one thread
// that lives as long as the program; the GUI thread meanwhile goes on
// painting and, after a while, shows the busy view (Automation::BusyView)
// through which the user can give up. While the office waits inside a close
// notification for the program's Close handlers, it serves only calls that
// come back on the thread it is waiting on; then the handlers' calls are
// passed to that UNO thread (a call pump) so that they can still reach the
// document.
namespace UnoCall {

// Runs work where office calls can be made now and returns after it ran;
// exceptions thrown by work reach the caller.
void run(const std::function<void()>& work);

// Queues work to the office thread without waiting for it; it runs after
// the calls queued before.
void runLater(std::function<void()> work);

// Waits on the GUI thread until ready() holds, as run waits for its call.
// ready is checked with the hand-over lock held, after every event.
void waitUntil(const std::function<bool()>& ready);

// Run by a UNO listener thread that the office is waiting on: queues
// guiWork to the GUI thread and serves its office calls until it ends. When
// the GUI thread does not take the work within startTimeoutMs, guiWork
// still runs later, without the pump, and this returns false. Failures of
// guiWork are thrown only when it runs on the calling thread; otherwise
// nobody could take them, and they are dropped.
bool serveGuiWork(std::function<void()> guiWork, int startTimeoutMs = 5000);

// Queues work to the GUI thread without waiting. It runs from the event
// loop, never inside a wait for an office call.
void post(std::function<void()> work);

bool onGuiThread();

// How many times the user gave up waiting; a call that sees the count
// change while it ran was given up.
unsigned giveUpCount();
// What the busy view says while an Activity lives (made on the GUI thread;
// elsewhere it does nothing).
class Activity {
public:
    explicit Activity(const QString& what);
    ~Activity();
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

private:
    bool m_gui;
    QString m_outer;
};

} // namespace UnoCall
