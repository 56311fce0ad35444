#pragma once

#include <QString>

#include <array>

// The two-entry word tables that the conclusion text and the printed report
// both use, indexed by a yes/no value of the record (0 false, 1 true).
inline const std::array<QString, 2> SexWords { QStringLiteral("женщина"), QStringLiteral("мужчина") };
inline const std::array<QString, 2> RhythmWords { QStringLiteral("аритмия"), QStringLiteral("ритмичный") };
inline const std::array<QString, 2> StudyResultWords { QStringLiteral("Без особенностей"),
    QStringLiteral("Патология") };
inline const std::array<QString, 2> UrinePresenceWords { QStringLiteral("отсутствует"), QStringLiteral("+") };
