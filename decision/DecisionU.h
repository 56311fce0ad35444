#pragma once

#include <QDateTime>

// Whole 365.25-day years between two date-times, either order.
int WholeYearsBetween(const QDateTime& a, const QDateTime& b);

// Whole 30.4375-day months between two date-times, either order.
int WholeMonthsBetween(const QDateTime& a, const QDateTime& b);
