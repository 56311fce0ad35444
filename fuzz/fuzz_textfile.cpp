// Any statements or phrases file must come back as lines, loadable as the
// questionnaire's statements, with no line holding a line break.
#include "app/QuestionList.h"
#include "platform/files/TextFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines
        = TextFile::parse(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const QString& line : lines)
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            std::abort();
    TQuestionList statements;
    statements.load(lines);
    if (statements.count() != lines.size())
        std::abort();
    return 0;
}
