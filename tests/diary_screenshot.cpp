// Shows the diary window with ten examinations of the test data at the top
// left of the screen for a while, so that a picture of the screen can be
// taken: diary_screenshot [milliseconds [summary.pdf]]. With a file name it
// also writes the summary for a doctor of those examinations there.
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
    QTemporaryDir folder;
    const QDateTime last(QDate(2026, 11, 30), QTime(19, 5));
    {
        QList<DiaryEntry> entries = diaryTestSeries(10, last);
        entries.last() = diaryTestEntry(QStringLiteral("male age=45 height=178 weight=88 temp=37.2 pulse=96 "
                                                       "bp=185/100 q2 q7"),
            last, entries.last().savedFile);
        DiaryStore store(folder.path());
        if (!store.add(entries))
            qFatal("%s", qPrintable(store.errorText()));
    }
    DiaryWindow diary(true, folder.path());
    if (argc > 2 && !diary.writeSummaryTo(QString::fromLocal8Bit(argv[2]), last.addDays(1)))
        return 1;
    diary.move(0, 0);
    diary.show();
    QTimer::singleShot(milliseconds, &application, &QApplication::quit);
    return application.exec();
}
