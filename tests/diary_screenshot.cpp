// Shows the diary window of two people examined in turn, with a week of home
// pressure readings of one of them, at the top left of the screen for a
// while, so that a picture of the screen can be taken:
// diary_screenshot [milliseconds [summary.pdf [person]]]. With a file name it
// also writes the summary for a doctor of that person (the first by default).
#include "app/DiaryWindow.h"
#include "diary/DiaryStore.h"
#include "tests/DiaryTestData.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const int milliseconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;
    const QString anna = QStringLiteral("Анна Смирнова");
    const QString boris = QStringLiteral("Борис Смирнов");
    const QString person = argc > 3 ? QString::fromLocal8Bit(argv[3]) : anna;
    QTemporaryDir folder;
    const QDateTime last(QDate(2026, 11, 30), QTime(19, 5));
    {
        QList<DiaryEntry> entries = diaryTestSeries(10, last, anna);
        entries.last()
            = diaryTestEntry(QStringLiteral("female age=45 height=168 weight=71 temp=37.2 pulse=96 "
                                            "bp=185/100 q2 q7 blood=70 hb=105 esr=25 urine=3 protein"),
                last, entries.last().savedFiles.value(0), anna);
        for (DiaryEntry& entry : entries)
            entry.sex = 0;
        entries << diaryTestSeries(4, last.addDays(-1).addSecs(-3600), boris);
        QList<PressureReading> readings;
        for (int k = 0; k < 14; ++k)
            readings.append({ 0, anna, last.addDays(-7 + k / 2).addSecs(k % 2 ? 0 : -11 * 3600),
                138 + (k * 7) % 9, 84 + (k * 5) % 7, 68 + (k * 3) % 11 });
        DiaryStore store(folder.path());
        if (!store.add(entries) || !store.addReadings(readings))
            qFatal("%s", qPrintable(store.errorText()));
    }
    DiaryWindow diary(folder.path(), true, folder.path());
    diary.choosePerson(person);
    if (argc > 2 && !diary.writeSummaryTo(QString::fromLocal8Bit(argv[2]), last.addDays(1)))
        return 1;
    diary.move(0, 0);
    diary.show();
    QTimer::singleShot(milliseconds, &application, &QApplication::quit);
    return application.exec();
}
