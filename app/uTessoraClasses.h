#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// Base names of each page's tip text (Common/<name>.txt) and picture
// (Images/<name>.jpg), indexed by page tag 1..15; entry 0 is empty.
extern const std::array<QString, 16> PageFileNames;

// Answer states of a questionnaire statement; a grid view (filter) uses the
// same numbers, with 0 meaning every statement.
namespace AnswerStates {
constexpr quint8 NotAnswered = 1;
constexpr quint8 Yes = 2;
constexpr quint8 No = 3;
} // namespace AnswerStates

// One questionnaire statement: its 0-based position in the question file and
// the user's answer.
class TCheck {
public:
    TCheck(qint32 questionIndex, quint8 answerState)
        : QuestionIndex(questionIndex)
        , AnswerState(answerState)
    {
    }

    qint32 QuestionIndex;
    quint8 AnswerState;
};
