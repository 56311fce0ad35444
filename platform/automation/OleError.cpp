#include "platform/automation/OleError.h"

namespace Automation {

EOleError::EOleError(const QString& message, HRESULT errorCode)
    : m_message(message)
    , m_utf8(message.toUtf8())
    , m_errorCode(errorCode)
{
}

void OleCheck(HRESULT hr)
{
    if (FAILED(hr))
        throw EOleError(HResultText(hr), hr);
}

} // namespace Automation
