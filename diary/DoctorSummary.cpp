#include "diary/DoctorSummary.h"

#include "decision/DecisionU.h"
#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
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
        return QStringLiteral("\u00A0↑");
    case DiaryFlag::Low:
        return QStringLiteral("\u00A0↓");
    default:
        return {};
    }
}

SummaryRun run(const DiaryEntry& entry, const QStringList& cells, Column column)
{
    const DiaryFlag flag = diaryCellFlag(entry, column);
    return { cells[int(column)] + mark(flag), flag != DiaryFlag::None };
}

// The runs that have text, with the separator between them.
SummaryCell joined(const QList<SummaryRun>& runs, const QString& separator)
{
    SummaryCell cell;
    for (const SummaryRun& run : runs) {
        if (run.text.isEmpty())
            continue;
        if (!cell.runs.isEmpty())
            cell.runs.append({ separator });
        cell.runs << run;
    }
    return cell;
}

// A test counted by the conclusion with each flagged value marked; one too
// old to count in grey, said so, without marks.
QList<SummaryRun> testRuns(const DiaryEntry& entry, const DiaryTest& test)
{
    static const char16_t* const Names[] = { u"ЭКГ", u"Флюорография", u"Кровь", u"Моча" };
    const QString title = QStringLiteral("%1 %2").arg(QString::fromUtf16(Names[int(test.kind)]),
        QLocale().toString(test.performed.date(), QLocale::ShortFormat));
    QString plain;
    QList<SummaryRun> runs { { title + QStringLiteral(": ") } };
    for (const DiaryResultPart& part : testResultParts(entry, test)) {
        plain += part.text;
        runs.append({ part.text + mark(part.flag), part.flag != DiaryFlag::None });
    }
    if (test.counted)
        return runs;
    return { { QStringLiteral("%1 (устарел, не учтен): %2").arg(title, plain), false, true } };
}

QList<SummaryCell> row(const DiaryEntry& entry)
{
    const QStringList cells = diaryCells(entry);
    SummaryCell results;
    for (const DiaryTest& test : entry.tests) {
        if (!results.runs.isEmpty())
            results.runs.append({ QStringLiteral("\n") });
        results.runs << testRuns(entry, test);
    }
    const SummaryRun rhythm = entry.rhythmic ? SummaryRun() : run(entry, cells, Column::Rhythm);
    return {
        { { { cells[int(Column::Moment)] } } },
        joined({ run(entry, cells, Column::Systolic), run(entry, cells, Column::Diastolic) },
            QStringLiteral(" / ")),
        joined({ run(entry, cells, Column::Pulse), rhythm }, QStringLiteral(", ")),
        { { run(entry, cells, Column::Temperature) } },
        joined({ { cells[int(Column::Weight)] }, run(entry, cells, Column::Index) }, QStringLiteral(" / ")),
        results,
        { { { findingsText(entry) } } },
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
    const auto given = [](int value) {
        return value == DiaryEntry::NotGiven ? std::nullopt : std::optional(value);
    };
    QString sex = PersonSex(given(latest.sex));
    if (latest.person.isEmpty())
        sex[0] = sex[0].toUpper();
    const QString who = QStringLiteral("%1, %2").arg(sex, PersonAge(given(latest.age)));
    return latest.person.isEmpty() ? who : latest.person + QStringLiteral(", ") + who;
}

QDateTime periodStart(SummaryPeriod period, const QDateTime& now)
{
    switch (period) {
    case SummaryPeriod::Year:
        return now.addYears(-1);
    case SummaryPeriod::ThreeMonths:
        return now.addMonths(-3);
    default:
        return {};
    }
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
    const QDateTime start = periodStart(period, now);
    QList<DiaryEntry> chosen;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(chosen),
        [&start](const DiaryEntry& entry) { return !start.isValid() || entry.moment >= start; });
    return chosen;
}

QList<PressureReading> readingsOfPeriod(
    const QList<PressureReading>& readings, SummaryPeriod period, const QDateTime& now)
{
    const QDateTime start = periodStart(period, now);
    QList<PressureReading> chosen;
    std::copy_if(readings.begin(), readings.end(), std::back_inserter(chosen),
        [&start](const PressureReading& reading) { return !start.isValid() || reading.taken >= start; });
    return chosen;
}

QString SummaryCell::text() const
{
    QString text;
    for (const SummaryRun& run : runs)
        text += run.text;
    return text;
}

DoctorSummary makeDoctorSummary(const QList<DiaryEntry>& entries, const QList<PressureReading>& readings,
    const QString& periodName, const QDateTime& made)
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
                                  "введены самим обследуемым дома или переписаны из анализов. "
                                  "%2")
                       .arg(locale.toString(made, QLocale::ShortFormat), Emergency::NotADiagnosis());
    summary.latestTitle = QStringLiteral("Последнее обследование: %1")
                              .arg(locale.toString(latest.moment, QLocale::ShortFormat));
    summary.urgent = urgentNotice(latest);
    summary.sameDay = latest.sameDayNotice;
    if (const std::optional<HomeSeries> series = lastSeries(readings)) {
        summary.homePressure = homeSeriesText(*series);
        if (series->raised)
            summary.homeThreshold = homeThresholdText();
    }
    const QString found = findingsText(latest);
    summary.findings = found.isEmpty() ? QStringLiteral("Отклонений не отмечено.")
                                       : QStringLiteral("Отмечено: %1.").arg(found);
    summary.recommendations = recommendations(latest.specialists);
    for (TrendKind kind :
        { TrendKind::Pressure, TrendKind::Pulse, TrendKind::Weight, TrendKind::Temperature })
        summary.charts << trendChart(kind, newestFirst, readings);
    summary.timeAxis = trendTimeAxis(newestFirst, readings);
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
    return QStringLiteral(
        "↑ — выше границы правил программы или патология, ↓ — ниже границы; жирным напечатаны "
        "только такие значения. Серым напечатан анализ старше срока, в течение которого "
        "программа его учитывает: в заключении он не учтен и стрелок не имеет. Границы правил "
        "программы — пороги, по которым программа отмечает значения в заключении; это не "
        "диагноз.");
}
