#include "DecisionU.h"

#include <cmath>

namespace {

constexpr double DaysPerYear = 365.25;
constexpr double DaysPerMonth = 30.4375;
constexpr double MsecsPerDay = 86400000.0;

// Days between two wall-clock date-times, as day numbers with a fraction for
// the time of day: a clock change in between does not shift the result.
double DaysBetween(const QDateTime& a, const QDateTime& b)
{
    const QDateTime la = a.toLocalTime();
    const QDateTime lb = b.toLocalTime();
    const double wholeDays = double(la.date().daysTo(lb.date()));
    const double timeOfDay = double(lb.time().msecsSinceStartOfDay() - la.time().msecsSinceStartOfDay()) / MsecsPerDay;
    return std::abs(wholeDays + timeOfDay);
}

} // namespace

int WholeYearsBetween(const QDateTime& a, const QDateTime& b)
{
    return int(std::trunc(DaysBetween(a, b) / DaysPerYear));
}

int WholeMonthsBetween(const QDateTime& a, const QDateTime& b)
{
    return int(std::trunc(DaysBetween(a, b) / DaysPerMonth));
}
