// libFuzzer entry: every input must come back as a result, never a crash or hang.
#include "platform/jpeg/JpegLoader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const JpegResult result
        = DecodeJpeg(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (result.ok() && result.image.isNull())
        __builtin_trap();
    return 0;
}
