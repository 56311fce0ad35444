#include "diary/DoctorSummary.h"

#include "decision/DecisionU.h"
#include "decision/Emergency.h"
#include "decision/FindingCodes.h"
#include "decision/RussianPlural.h"
#include "decision/WordTables.h"
#include "diary/DiaryFindings.h"

#include <QLocale>

#include <algorithm>

namespace {

using Column = TDiaryColumn;

QString Mark(TDiaryFlag flag)
{
    switch (flag) {
    case TDiaryFlag::High:
        return QStringLiteral(" ↑");
    case TDiaryFlag::Low:
        return QStringLiteral(" ↓");
    default:
        return {};
    }
}

// One blood test may hold a lowered value and a raised one at once.
QString BloodMarks(const TDiaryEntry& entry)
{
    const bool lowered = entry.hasFinding(Code::LowHemoglobin) || entry.hasFinding(Code::LowLeucocytes);
    const bool raised = entry.hasFinding(Code::HighEsr) || entry.hasFinding(Code::HighLeucocytes);
    return QStringLiteral(" %1%2").arg(
        lowered ? QStringLiteral("↓") : QString(), raised ? QStringLiteral("↑") : QString());
}

TSummaryCell Cell(const TDiaryEntry& entry, const QStringList& cells, Column column)
{
    const TDiaryFlag flag = DiaryCellFlag(entry, column);
    return { cells[int(column)] + Mark(flag), flag != TDiaryFlag::None };
}

TSummaryCell Joined(const QList<TSummaryCell>& parts, const QString& separator)
{
    TSummaryCell joined;
    QStringList texts;
    for (const TSummaryCell& part : parts) {
        if (part.text.isEmpty())
            continue;
        texts << part.text;
        joined.marked = joined.marked || part.marked;
    }
    joined.text = texts.join(separator);
    return joined;
}

QList<TSummaryCell> Row(const TDiaryEntry& entry)
{
    const QStringList cells = DiaryCells(entry);
    const QList<std::pair<Column, const char16_t*>> tests = {
        { Column::Ecg, u"ЭКГ" },
        { Column::Flu, u"Флюорография" },
        { Column::Blood, u"Кровь" },
        { Column::Urine, u"Моча" },
    };
    QList<TSummaryCell> results;
    for (const auto& [column, name] : tests) {
        TSummaryCell cell = Cell(entry, cells, column);
        if (column == Column::Blood && cell.marked)
            cell.text = cells[int(column)] + BloodMarks(entry);
        if (!cells[int(column)].isEmpty())
            results << TSummaryCell { QString::fromUtf16(name) + QLatin1Char(' ') + cell.text, cell.marked };
    }
    TSummaryCell rhythm = Cell(entry, cells, Column::Rhythm);
    if (entry.rhythmic)
        rhythm = {};
    return {
        { cells[int(Column::Moment)] },
        Joined({ Cell(entry, cells, Column::Systolic), Cell(entry, cells, Column::Diastolic) },
            QStringLiteral(" / ")),
        Joined({ Cell(entry, cells, Column::Pulse), rhythm }, QStringLiteral(", ")),
        Cell(entry, cells, Column::Temperature),
        Joined({ { cells[int(Column::Weight)] }, Cell(entry, cells, Column::Index) }, QStringLiteral(" / ")),
        Joined(results, QStringLiteral("\n")),
        { FindingsText(entry) },
    };
}

QString Recommendations(const QList<int>& specialists)
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

QString Person(const TDiaryEntry& latest)
{
    QString sex = SexWords[latest.sex == 1 ? 1 : 0];
    sex[0] = sex[0].toUpper();
    return QStringLiteral("%1, %2 %3")
        .arg(sex, QString::number(latest.age), PluralForm(latest.age, Nouns::Year));
}

} // namespace

QString SummaryPeriodName(TSummaryPeriod period)
{
    switch (period) {
    case TSummaryPeriod::ThreeMonths:
        return QStringLiteral("последние 3 месяца");
    case TSummaryPeriod::Year:
        return QStringLiteral("последний год");
    default:
        return QStringLiteral("все обследования");
    }
}

QList<TDiaryEntry> EntriesOfPeriod(
    const QList<TDiaryEntry>& entries, TSummaryPeriod period, const QDateTime& now)
{
    if (period == TSummaryPeriod::All)
        return entries;
    const QDateTime start = period == TSummaryPeriod::Year ? now.addYears(-1) : now.addMonths(-3);
    QList<TDiaryEntry> chosen;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(chosen),
        [&start](const TDiaryEntry& entry) { return entry.moment >= start; });
    return chosen;
}

TDoctorSummary MakeDoctorSummary(
    const QList<TDiaryEntry>& entries, const QString& periodName, const QDateTime& made)
{
    QList<TDiaryEntry> newestFirst = entries;
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
        [](const TDiaryEntry& a, const TDiaryEntry& b) { return a.moment > b.moment; });
    const TDiaryEntry& latest = newestFirst.first();
    const QLocale locale;
    TDoctorSummary summary;
    summary.person = Person(latest);
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
    summary.urgent = UrgentNotice(latest);
    summary.sameDay = SameDayNotice(latest);
    const QString found = FindingsText(latest);
    summary.findings = found.isEmpty() ? QStringLiteral("Отклонений не отмечено.")
                                       : QStringLiteral("Отмечено: %1.").arg(found);
    summary.recommendations = Recommendations(latest.specialists);
    for (TTrendKind kind :
        { TTrendKind::Pressure, TTrendKind::Pulse, TTrendKind::Weight, TTrendKind::Temperature })
        summary.charts << TrendChart(kind, newestFirst);
    summary.timeAxis = TrendTimeAxis(newestFirst);
    summary.headers = { QStringLiteral("Дата и время"), QStringLiteral("Давление, мм Hg"),
        QStringLiteral("Пульс, уд/мин"), QStringLiteral("Темп., °C"), QStringLiteral("Вес, кг / ИМТ"),
        QStringLiteral("Анализы"), QStringLiteral("Находки") };
    summary.rows.reserve(newestFirst.size());
    for (const TDiaryEntry& entry : newestFirst)
        summary.rows << Row(entry);
    return summary;
}

QString SummaryMarksLegend()
{
    return QStringLiteral("↑ — выше границы правил программы или патология, ↓ — ниже границы; такие значения "
                          "напечатаны жирным. Границы правил программы — пороги, по которым программа "
                          "отмечает значения в заключении; это не диагноз.");
}
