#include "diary/DoctorSummary.h"

#include "decision/DecisionU.h"
#include "decision/FindingCodes.h"
#include "decision/RussianPlural.h"
#include "decision/WordTables.h"
#include "diary/DiaryFindings.h"

#include <QLocale>

#include <algorithm>

namespace {

using Column = DiaryColumn;

QString mark(DiaryFlag flag)
{
    switch (flag) {
    case DiaryFlag::High:
        return QStringLiteral(" ↑");
    case DiaryFlag::Low:
        return QStringLiteral(" ↓");
    default:
        return {};
    }
}

// One blood test may hold a lowered value and a raised one at once.
QString bloodMarks(const DiaryEntry& entry)
{
    const bool lowered = entry.hasFinding(Code::LowHemoglobin) || entry.hasFinding(Code::LowLeucocytes);
    const bool raised = entry.hasFinding(Code::HighEsr) || entry.hasFinding(Code::HighLeucocytes);
    return QStringLiteral(" %1%2").arg(
        lowered ? QStringLiteral("↓") : QString(), raised ? QStringLiteral("↑") : QString());
}

SummaryCell cell(const DiaryEntry& entry, const QStringList& cells, Column column)
{
    const DiaryFlag flag = diaryCellFlag(entry, column);
    return { cells[int(column)] + mark(flag), flag != DiaryFlag::None };
}

SummaryCell joined(const QList<SummaryCell>& parts, const QString& separator)
{
    SummaryCell joined;
    QStringList texts;
    for (const SummaryCell& part : parts) {
        if (part.text.isEmpty())
            continue;
        texts << part.text;
        joined.marked = joined.marked || part.marked;
    }
    joined.text = texts.join(separator);
    return joined;
}

QList<SummaryCell> row(const DiaryEntry& entry)
{
    const QStringList cells = diaryCells(entry);
    const QList<std::pair<Column, const char16_t*>> tests = {
        { Column::Ecg, u"ЭКГ" },
        { Column::Flu, u"Флюорография" },
        { Column::Blood, u"Кровь" },
        { Column::Urine, u"Моча" },
    };
    QList<SummaryCell> results;
    for (const auto& [column, name] : tests) {
        SummaryCell result = cell(entry, cells, column);
        if (column == Column::Blood && result.marked)
            result.text = cells[int(column)] + bloodMarks(entry);
        if (!cells[int(column)].isEmpty())
            results << SummaryCell { QString::fromUtf16(name) + QLatin1Char(' ') + result.text, result.marked };
    }
    SummaryCell rhythm = cell(entry, cells, Column::Rhythm);
    if (entry.rhythmic)
        rhythm = {};
    return {
        { cells[int(Column::Moment)] },
        joined({ cell(entry, cells, Column::Systolic), cell(entry, cells, Column::Diastolic) },
            QStringLiteral(" / ")),
        joined({ cell(entry, cells, Column::Pulse), rhythm }, QStringLiteral(", ")),
        cell(entry, cells, Column::Temperature),
        joined({ { cells[int(Column::Weight)] }, cell(entry, cells, Column::Index) }, QStringLiteral(" / ")),
        joined(results, QStringLiteral("\n")),
        { findingsText(entry) },
    };
}

QString recommendations(const QList<int>& specialists)
{
    QStringList names;
    for (int number : specialists) {
        if (number > 0 && number < SpecialistCount)
            names << SpecialistNames[size_t(number)];
    }
    if (names.isEmpty())
        return QStringLiteral("Консультации не рекомендованы: данные не позволили сделать определенного "
                              "заключения.");
    return (names.size() == 1 ? QStringLiteral("Рекомендуется консультация: %1.")
                              : QStringLiteral("Рекомендуются консультации: %1."))
        .arg(names.join(QStringLiteral(", ")));
}

QString person(const DiaryEntry& latest)
{
    QString sex = SexWords[latest.sex == 1 ? 1 : 0];
    sex[0] = sex[0].toUpper();
    return QStringLiteral("%1, %2 %3")
        .arg(sex, QString::number(latest.age), PluralForm(latest.age, Nouns::Year));
}

} // namespace

QString summaryPeriodName(SummaryPeriod period)
{
    switch (period) {
    case SummaryPeriod::ThreeMonths:
        return QStringLiteral("последние 3 месяца");
    case SummaryPeriod::Year:
        return QStringLiteral("последний год");
    default:
        return QStringLiteral("все обследования");
    }
}

QList<DiaryEntry> entriesOfPeriod(
    const QList<DiaryEntry>& entries, SummaryPeriod period, const QDateTime& now)
{
    if (period == SummaryPeriod::All)
        return entries;
    const QDateTime start = period == SummaryPeriod::Year ? now.addYears(-1) : now.addMonths(-3);
    QList<DiaryEntry> chosen;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(chosen),
        [&start](const DiaryEntry& entry) { return entry.moment >= start; });
    return chosen;
}

DoctorSummary makeDoctorSummary(
    const QList<DiaryEntry>& entries, const QString& periodName, const QDateTime& made)
{
    QList<DiaryEntry> newestFirst = entries;
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
        [](const DiaryEntry& a, const DiaryEntry& b) { return a.moment > b.moment; });
    const DiaryEntry& latest = newestFirst.first();
    const QLocale locale;
    DoctorSummary summary;
    summary.person = person(latest);
    summary.period
        = QStringLiteral("Период: %1, %2 – %3; обследований: %4")
              .arg(periodName, locale.toString(newestFirst.last().moment.date(), QLocale::ShortFormat),
                  locale.toString(latest.moment.date(), QLocale::ShortFormat))
              .arg(newestFirst.size());
    summary.made = QStringLiteral("Составлено программой Тессора Про %1 по дневнику обследований. Значения "
                                  "введены самим обследуемым дома или переписаны из анализов.")
                       .arg(locale.toString(made, QLocale::ShortFormat));
    summary.latestTitle = QStringLiteral("Последнее обследование: %1")
                              .arg(locale.toString(latest.moment, QLocale::ShortFormat));
    summary.urgent = urgentNotice(latest);
    const QString found = findingsText(latest);
    summary.findings = found.isEmpty() ? QStringLiteral("Отклонений не отмечено.")
                                       : QStringLiteral("Отмечено: %1.").arg(found);
    summary.recommendations = recommendations(latest.specialists);
    for (TrendKind kind :
        { TrendKind::Pressure, TrendKind::Pulse, TrendKind::Weight, TrendKind::Temperature })
        summary.charts << trendChart(kind, newestFirst);
    summary.timeAxis = trendTimeAxis(newestFirst);
    summary.headers = { QStringLiteral("Дата и время"), QStringLiteral("Давление, мм Hg"),
        QStringLiteral("Пульс, уд/мин"), QStringLiteral("Темп., °C"), QStringLiteral("Вес, кг / ИМТ"),
        QStringLiteral("Анализы"), QStringLiteral("Находки") };
    summary.rows.reserve(newestFirst.size());
    for (const DiaryEntry& entry : newestFirst)
        summary.rows << row(entry);
    return summary;
}

QString summaryMarksLegend()
{
    return QStringLiteral("↑ — выше границы правил программы или патология, ↓ — ниже границы; такие значения "
                          "напечатаны жирным. Границы правил программы — пороги, по которым программа "
                          "отмечает значения в заключении; это не диагноз.");
}
