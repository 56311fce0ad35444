#include "decision/ComplaintPhrases.h"

#include "platform/files/DataFolder.h"
#include "platform/files/TextFile.h"

#include <algorithm>

namespace {

void Fill(std::array<QString, ComplaintPhrases::ComplaintTextCount>& texts, const QString& name)
{
    const QStringList lines = TextFile::read(DataFolder::file(name));
    const qsizetype count = std::min<qsizetype>(lines.size(), qsizetype(texts.size()));
    for (qsizetype k = 0; k < count; ++k)
        texts[size_t(k)] = lines.at(k);
}

QString At(const std::array<QString, ComplaintPhrases::ComplaintTextCount>& texts, int n)
{
    return n >= 1 && n <= int(texts.size()) ? texts[size_t(n - 1)] : QString();
}

} // namespace

ComplaintPhrases ComplaintPhrases::Load()
{
    ComplaintPhrases phrases;
    Fill(phrases.ComplaintTexts, QStringLiteral("Common/ANS.txt"));
    Fill(phrases.StatementTexts, QStringLiteral("Common/ksm.txt"));
    return phrases;
}

QString ComplaintPhrases::Phrase(int n) const
{
    return At(ComplaintTexts, n);
}

QString ComplaintPhrases::Statement(int n) const
{
    return At(StatementTexts, n);
}

void ComplaintPhrases::SetPhrase(int n, const QString& phrase)
{
    if (n >= 1 && n <= ComplaintTextCount)
        ComplaintTexts[size_t(n - 1)] = phrase;
}
