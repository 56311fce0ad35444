#include "app/QuestionList.h"

TQuestionList::TQuestionList()
{
    FEntries.reserve(256);
}

void TQuestionList::load(const QStringList& statements)
{
    clear();
    FEntries.reserve(statements.size());
    for (qsizetype i = 0; i < statements.size(); ++i)
        FEntries.push_back({ statements.at(i),
            std::make_unique<TCheck>(static_cast<qint32>(i), AnswerStates::NotAnswered) });
}

void TQuestionList::clear()
{
    FEntries.clear();
}

QString TQuestionList::text(int index) const
{
    return index >= 0 && index < count() ? FEntries[index].text : QString();
}

TCheck* TQuestionList::item(int index) const
{
    return index >= 0 && index < count() ? FEntries[index].check.get() : nullptr;
}

bool TQuestionList::isAnsweredYes(int number) const
{
    const TCheck* check = item(number - 1);
    return check && check->AnswerState == AnswerStates::Yes;
}
