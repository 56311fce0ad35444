#pragma once

#include <QList>
#include <QString>

#include <algorithm>

// The figures of a measurement repeated several times: the median, and the
// spread from the lowest to the highest run.
class BenchFigures {
public:
    void add(double value) { m_values << value; }
    int runs() const { return int(m_values.size()); }
    double median() const
    {
        QList<double> sorted = m_values;
        std::sort(sorted.begin(), sorted.end());
        const qsizetype n = sorted.size();
        return n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    // "12 ms (median of 7 runs, 11–14)"
    QString text(const QString& unit, int decimals = 0) const
    {
        const auto [low, high] = std::minmax_element(m_values.begin(), m_values.end());
        const auto number = [decimals](double v) { return QString::number(v, 'f', decimals); };
        return m_values.isEmpty() ? QStringLiteral("no runs")
                                  : QStringLiteral("%1 %2 (median of %3 runs, %4–%5)")
                                        .arg(number(median()), unit)
                                        .arg(runs())
                                        .arg(number(*low), number(*high));
    }

private:
    QList<double> m_values;
};
