// Any bytes given to the RTF reader must end in a document, never a crash or hang.
#include "platform/rtf/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(application);

    QTextDocument document;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const Rtf::ReadResult result = Rtf::read(bytes, document);
    if (result.outcome == Rtf::Outcome::CannotOpen)
        std::abort();
    // Laying the text out reaches the formats the reader produced.
    document.setTextWidth(300);
    document.size();
    return 0;
}
