#include "decision/RussianPlural.h"

#include <cmath>
#include <cstdlib>

const QString& PluralForm(long long number, const TNounForms& forms)
{
    const long long n = std::llabs(number);
    const long long lastTwo = n % 100;
    const long long last = n % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return forms.many;
    if (last == 1)
        return forms.one;
    if (last >= 2 && last <= 4)
        return forms.few;
    return forms.many;
}

const QString& PluralForm(double number, int decimals, const TNounForms& forms)
{
    // A number written with a fraction is read "… целых … десятых", and the
    // noun follows the fraction: «37,0 градуса» as well as «36,6 градуса».
    if (decimals > 0)
        return forms.few;
    return PluralForm(std::llround(number), forms);
}
