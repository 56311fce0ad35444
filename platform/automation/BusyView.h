#pragma once

#include <QString>
#include <functional>

// What a client shows while a call into an out-of-process server keeps it
// waiting (COM's message filter has the same job): the program registers a
// view, the server's side shows it after a while and hides it again. The
// view offers giveUp, which lets the server go and fails the waiting call.
namespace Automation {

struct BusyView {
    std::function<void(const QString& what, const std::function<void()>& giveUp)> show;
    std::function<void()> hide;
};

// An empty view shows nothing (tests, programs without windows).
void SetBusyView(BusyView view);
const BusyView& CurrentBusyView();

} // namespace Automation
