#include "platform/writer/OfficeCall.h"

#include "platform/automation/HResult.h"
#include "platform/automation/OleError.h"
#include "platform/writer/UnoOffice.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

namespace OfficeCall {

void rethrowAsOleError()
{
    using Automation::EOleError;
    try {
        throw;
    } catch (const EOleError&) {
        throw;
    } catch (const css::lang::DisposedException&) {
        throw EOleError(QStringLiteral("Текстовый редактор недоступен: документ или программа закрыты"),
            Automation::RPC_E_DISCONNECTED);
    } catch (const css::uno::RuntimeException& e) {
        const QString reason = toQString(e.Message);
        if (reason.contains(QLatin1String("bridge"), Qt::CaseInsensitive)
            || reason.contains(QLatin1String("disposed"), Qt::CaseInsensitive))
            throw EOleError(QStringLiteral("Текстовый редактор недоступен: %1").arg(reason),
                Automation::RPC_E_DISCONNECTED);
        throw EOleError(QStringLiteral("Ошибка текстового редактора: %1").arg(reason), Automation::E_FAIL);
    } catch (const css::uno::Exception& e) {
        const QString reason = toQString(e.Message);
        throw EOleError(QStringLiteral("Ошибка текстового редактора%1")
                            .arg(reason.isEmpty() ? QString() : QStringLiteral(": ") + reason),
            Automation::E_FAIL);
    } catch (const std::exception& e) {
        throw EOleError(QString::fromUtf8(e.what()), Automation::E_FAIL);
    }
}

void abandonOffices()
{
    UnoOffice::abandonAll();
}

Automation::EOleError notAnswering()
{
    return Automation::EOleError(QStringLiteral("Текстовый редактор не отвечает"), Automation::RPC_E_TIMEOUT);
}

Automation::EOleError notAwaited()
{
    return Automation::EOleError(
        QStringLiteral("Ожидание текстового редактора прервано"), Automation::E_ABORT);
}

Automation::EOleError noSuchItem(const QString& which)
{
    return Automation::EOleError(
        QStringLiteral("Запрошенный элемент семейства не существует (%1)").arg(which),
        Automation::DISP_E_BADINDEX);
}

} // namespace OfficeCall
