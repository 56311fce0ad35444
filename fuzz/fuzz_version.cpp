// Any version resource must be read into strings or refused with EReadError.
#include "app/VersionU.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray resource(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const VersionInfo info = ReadVersionResource(resource, QStringLiteral("fuzz_version"));
        for (const char* key : VersionKeys)
            info.GetVersionValue(QString::fromLatin1(key));
    } catch (const EReadError&) {
    }
    return 0;
}
