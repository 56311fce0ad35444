// Any question file must load into at most 83 questions without a crash.
#include "cardio/CardioU.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    CardioKnowledgeBase base;
    base.LoadCardioQuestions(file);
    const auto& CardioQuestions = base.CardioQuestions;
    if (!CardioQuestions[0].isEmpty())
        std::abort();
    for (std::size_t q = 1; q <= CardioQuestionCount; ++q) {
        const QString& text = CardioQuestions[q];
        // A stored piece ends at its "?" or at the end of the file.
        if (text.count(QLatin1Char('?')) > 1
            || (text.contains(QLatin1Char('?')) && !text.endsWith(QLatin1Char('?'))))
            std::abort();
    }
    return 0;
}
