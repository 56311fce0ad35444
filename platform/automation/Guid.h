#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace Automation {

// A 128-bit interface or class identifier in the registry spelling
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". Identifiers written in the
// source are parsed at compile time, so a typo does not build.
struct Guid {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4 {};

    static constexpr Guid parse(std::string_view text)
    {
        if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-'
            || text[14] != '-' || text[19] != '-' || text[24] != '-')
            throw std::invalid_argument("malformed GUID");
        Guid g;
        g.Data1 = static_cast<std::uint32_t>(hex(text, 1, 8));
        g.Data2 = static_cast<std::uint16_t>(hex(text, 10, 4));
        g.Data3 = static_cast<std::uint16_t>(hex(text, 15, 4));
        g.Data4[0] = static_cast<std::uint8_t>(hex(text, 20, 2));
        g.Data4[1] = static_cast<std::uint8_t>(hex(text, 22, 2));
        for (int i = 0; i < 6; ++i)
            g.Data4[2 + i] = static_cast<std::uint8_t>(hex(text, 25 + 2 * i, 2));
        return g;
    }

    // Parses text given at run time; nothing for malformed text.
    static std::optional<Guid> fromString(QStringView text);
    QString toString() const;
    constexpr bool isNull() const { return *this == Guid {}; }

    friend constexpr bool operator==(const Guid&, const Guid&) = default;

private:
    static constexpr std::uint64_t hex(std::string_view text, std::size_t from, std::size_t count)
    {
        std::uint64_t value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            const char c = text[i];
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (digit < 0)
                throw std::invalid_argument("malformed GUID");
            value = value * 16 + static_cast<std::uint64_t>(digit);
        }
        return value;
    }
};

using IID = Guid;
using CLSID = Guid;
using REFIID = const Guid&;
using REFCLSID = const Guid&;

inline constexpr Guid IID_NULL {};

} // namespace Automation
