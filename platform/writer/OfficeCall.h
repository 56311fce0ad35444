#pragma once

#include "platform/automation/OleError.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/UnoCall.h"

#include <functional>
#include <optional>
#include <type_traits>

// Runs a piece of office work where it can run (see UnoCall) and turns UNO
// exceptions into EOleError, so that a failing or vanished office gives an
// automation error instead of ending the program.
namespace OfficeCall {

// Rethrows the exception being handled as EOleError.
[[noreturn]] void rethrowAsOleError();

// Word's failure for a collection item that does not exist; which names the
// item asked for.
Automation::EOleError noSuchItem(const QString& which);
inline Automation::EOleError noSuchItem(int index)
{
    return noSuchItem(QString::number(index));
}

// Lets every office go after a call ran out of time (UnoOffice::abandonAll).
void abandonOffices();
// The failure of a call that ran out of time.
Automation::EOleError notAnswering();
// The failure of a call that the user gave up waiting for.
Automation::EOleError notAwaited();

template <class F> auto runWithin(int limitMs, F&& work)
{
    using Result = decltype(work());
    const CallLimit limit(limitMs, &abandonOffices);
    const unsigned giveUps = UnoCall::giveUpCount();
    // A call cut short by its limit or by the user fails alike, whatever the
    // bridge threw when its office was let go.
    const auto cutShort = [&] {
        if (limit.expired())
            throw notAnswering();
        if (UnoCall::giveUpCount() != giveUps)
            throw notAwaited();
    };
    const auto limited = [&](const std::function<void()>& call) {
        try {
            UnoCall::run([&] {
                try {
                    call();
                } catch (...) {
                    rethrowAsOleError();
                }
            });
        } catch (const Automation::EOleError&) {
            cutShort();
            throw;
        }
        cutShort();
    };
    if constexpr (std::is_void_v<Result>) {
        limited([&] { work(); });
    } else {
        std::optional<Result> result;
        limited([&] { result.emplace(work()); });
        return std::move(*result);
    }
}

// Every office call has a time limit, after which the office is treated as
// lost and the call fails with notAnswering().
template <class F> auto run(F&& work)
{
    return runWithin(CallLimit::callMs(), std::forward<F>(work));
}

// Saving may take much longer than other calls.
template <class F> auto runSaving(F&& work)
{
    const UnoCall::Activity saving(QStringLiteral("Текстовый редактор сохраняет документ…"));
    return runWithin(CallLimit::saveMs(), std::forward<F>(work));
}

} // namespace OfficeCall
