#include "platform/automation/Guid.h"

namespace Automation {

std::optional<Guid> Guid::fromString(QStringView text)
{
    const QByteArray latin = text.toLatin1();
    try {
        return parse(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

QString Guid::toString() const
{
    auto hex = [](std::uint64_t value, int width) {
        return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
    };
    QString text = QLatin1Char('{') + hex(Data1, 8) + QLatin1Char('-') + hex(Data2, 4) + QLatin1Char('-')
        + hex(Data3, 4) + QLatin1Char('-') + hex(Data4[0], 2) + hex(Data4[1], 2) + QLatin1Char('-');
    for (int i = 2; i < 8; ++i)
        text += hex(Data4[static_cast<std::size_t>(i)], 2);
    return text + QLatin1Char('}');
}

} // namespace Automation
