#include "platform/automation/HResult.h"

namespace Automation {

namespace {

struct KnownCode {
    HRESULT code;
    const char* text;
};

const KnownCode knownCodes[] = {
    { S_OK, "S_OK: успешно" },
    { S_FALSE, "S_FALSE: успешно, результат отрицательный" },
    { E_UNEXPECTED, "E_UNEXPECTED: непредвиденная ошибка" },
    { E_NOTIMPL, "E_NOTIMPL: не реализовано" },
    { E_NOINTERFACE, "E_NOINTERFACE: интерфейс не поддерживается" },
    { E_POINTER, "E_POINTER: недопустимый указатель" },
    { E_ABORT, "E_ABORT: операция прервана" },
    { E_FAIL, "E_FAIL: неопознанная ошибка" },
    { E_ACCESSDENIED, "E_ACCESSDENIED: доступ запрещён" },
    { E_OUTOFMEMORY, "E_OUTOFMEMORY: недостаточно памяти" },
    { E_INVALIDARG, "E_INVALIDARG: недопустимый аргумент" },
    { RPC_E_CALL_REJECTED, "RPC_E_CALL_REJECTED: вызов отклонён сервером" },
    { RPC_E_SERVERFAULT, "RPC_E_SERVERFAULT: сбой сервера" },
    { RPC_E_DISCONNECTED, "RPC_E_DISCONNECTED: сервер отключился от клиентов" },
    { RPC_E_TIMEOUT, "RPC_E_TIMEOUT: сервер не ответил вовремя" },
    { DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE: неизвестный интерфейс" },
    { DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND: член не найден" },
    { DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND: параметр не найден" },
    { DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH: несоответствие типов" },
    { DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME: неизвестное имя" },
    { DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS: именованные аргументы не поддерживаются" },
    { DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE: недопустимый тип значения" },
    { DISP_E_EXCEPTION, "DISP_E_EXCEPTION: исключение на сервере" },
    { DISP_E_OVERFLOW, "DISP_E_OVERFLOW: переполнение" },
    { DISP_E_BADINDEX, "DISP_E_BADINDEX: недопустимый индекс" },
    { DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT: неверное число параметров" },
    { DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL: пропущен обязательный параметр" },
    { REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG: класс не зарегистрирован" },
    { CONNECT_E_NOCONNECTION, "CONNECT_E_NOCONNECTION: нет такого подключения" },
    { CONNECT_E_ADVISELIMIT, "CONNECT_E_ADVISELIMIT: достигнут предел подключений" },
    { CONNECT_E_CANNOTCONNECT, "CONNECT_E_CANNOTCONNECT: приёмник не поддерживает интерфейс событий" },
    { MK_E_UNAVAILABLE, "MK_E_UNAVAILABLE: нет запущенного экземпляра" },
    { CO_E_CLASSSTRING, "CO_E_CLASSSTRING: недопустимое имя класса" },
    { CO_E_APPNOTFOUND, "CO_E_APPNOTFOUND: программа сервера не найдена" },
    { CO_E_SERVER_EXEC_FAILURE, "CO_E_SERVER_EXEC_FAILURE: не удалось запустить сервер" },
};

} // namespace

QString HResultText(HRESULT hr)
{
    for (const KnownCode& known : knownCodes) {
        if (known.code == hr)
            return QString::fromUtf8(known.text);
    }
    const QString hex = QString::number(static_cast<std::uint32_t>(hr), 16).toUpper();
    return QStringLiteral("ошибка 0x%1").arg(hex.rightJustified(8, QLatin1Char('0')));
}

} // namespace Automation
