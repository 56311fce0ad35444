#pragma once

#include <QString>

#include <span>

// The words for the findings of measured values, tests and the
// self-examination, one row per code, in the order the conclusion tells them.
// The conclusion prints a row's word after its value ("- МАССА ПОВЫШЕНА") or
// in its list ("Увеличенные шейные … лимфатические узлы"); where a finding is
// named on its own (the diary, the doctor's summary) the word stands in the
// row's phrase ("температура повышена"). The conclusion reads no word of the
// tests' groups: it prints their values.

enum class TFindingGroup {
    BodyMass,
    Temperature,
    Pulse,
    Pressure,
    PulsePressure,
    Ecg,
    Flu,
    Blood,
    Urine,
    LymphNodes,
    Limbs,
    Hernia
};

struct TFindingWord {
    int code;
    TFindingGroup group;
    const char16_t* word;
    const char16_t* phrase = u"%1"; // the finding on its own, %1 the word
};

std::span<const TFindingWord> FindingWordRows();

// The finding on its own: the word in the row's phrase.
QString FindingAlone(const TFindingWord& row);
