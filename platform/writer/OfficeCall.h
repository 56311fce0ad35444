#pragma once

#include "platform/automation/OleError.h"
#include "platform/writer/UnoCall.h"

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

template <class F> auto run(F&& work)
{
    using Result = decltype(work());
    if constexpr (std::is_void_v<Result>) {
        UnoCall::run([&] {
            try {
                work();
            } catch (...) {
                rethrowAsOleError();
            }
        });
    } else {
        std::optional<Result> result;
        UnoCall::run([&] {
            try {
                result.emplace(work());
            } catch (...) {
                rethrowAsOleError();
            }
        });
        return std::move(*result);
    }
}

} // namespace OfficeCall
