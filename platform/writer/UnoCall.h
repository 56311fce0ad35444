#pragma once

#include <QString>
#include <functional>
#include <memory>

// Where the program's UNO calls run. Normally on the calling (GUI) thread.
// While the office waits inside a close notification for the program's Close
// handlers, it holds its own lock and serves only calls that come back on the
// thread it is waiting on; then the handlers' calls are passed to that UNO
// thread (a call pump) so that they can still reach the document.
namespace UnoCall {

// Runs work where office calls can be made now and returns after it ran;
// exceptions thrown by work reach the caller.
void run(const std::function<void()>& work);

// Run by a UNO listener thread that the office is waiting on: queues
// guiWork to the GUI thread and serves its office calls until it ends. When
// the GUI thread does not take the work within startTimeoutMs (it is busy in
// a call of its own), guiWork still runs later, without the pump, and this
// returns false. Failures of guiWork are thrown only when it runs on the
// calling thread; otherwise nobody could take them, and they are dropped.
bool serveGuiWork(std::function<void()> guiWork, int startTimeoutMs = 5000);

// Queues work to the GUI thread without waiting.
void post(std::function<void()> work);

bool onGuiThread();

} // namespace UnoCall
