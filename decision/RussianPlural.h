#pragma once

#include <QString>

// Russian number agreement of a counted noun: «1 год», «2 года», «5 лет»,
// «21 год», «72 удара», «11 ударов»; a number with a fraction takes the
// genitive singular («36,6 градуса»).
struct TNounForms {
    QString one; // with 1, 21, 31 … («год»)
    QString few; // with 2–4, 22–24 … and with a fraction («года»)
    QString many; // with 0, 5–20, 25–30 … («лет»)
};

namespace Nouns {
inline const TNounForms Year { QStringLiteral("год"), QStringLiteral("года"), QStringLiteral("лет") };
inline const TNounForms Beat { QStringLiteral("удар"), QStringLiteral("удара"), QStringLiteral("ударов") };
inline const TNounForms Degree { QStringLiteral("градус"), QStringLiteral("градуса"),
    QStringLiteral("градусов") };
} // namespace Nouns

// The form that agrees with a whole number (its sign does not matter).
const QString& PluralForm(long long number, const TNounForms& forms);

// The form that agrees with a number written with `decimals` digits after the
// separator: a number written with a fraction takes the genitive singular.
const QString& PluralForm(double number, int decimals, const TNounForms& forms);
