#pragma once

#include "platform/automation/HResult.h"

#include <QByteArray>
#include <QString>
#include <exception>

namespace Automation {

// The exception of the automation layer: a failed automation call, a value
// that cannot be converted, a sink that cannot connect. The message is
// meant for the user; ErrorCode keeps the result code behind it.
class EOleError : public std::exception {
public:
    explicit EOleError(const QString& message, HRESULT errorCode = E_FAIL);

    const QString& Message() const { return m_message; }
    HRESULT ErrorCode() const { return m_errorCode; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
    HRESULT m_errorCode;
};

// Throws EOleError with the code's text when hr is a failure.
void OleCheck(HRESULT hr);

} // namespace Automation
