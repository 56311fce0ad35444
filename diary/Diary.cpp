#include "diary/Diary.h"

#include "diary/DiaryStore.h"

#include <QDir>
#include <QSet>

namespace {

// Diary files whose failure was shown in this run; a success forgets it, so a
// file that breaks again is reported again.
QSet<QString> ReportedFailures;

} // namespace

DiaryOutcome recordExamination(const ExaminationRecord& record, const Conclusion& conclusion,
    const QString& savedFile, const QString& folder, bool saveNeeded)
{
    DiaryOutcome outcome;
    if (!saveNeeded || folder.isEmpty())
        return outcome;
    const QString file = QDir(folder).relativeFilePath(savedFile);
    DiaryStore store(folder);
    const QString path = store.filePath();
    if (store.add({ entryFromRecord(record, conclusion, file) })) {
        ReportedFailures.remove(path);
        outcome.written = true;
        return outcome;
    }
    outcome.failure = store.errorText();
    outcome.report = !ReportedFailures.contains(path);
    ReportedFailures.insert(path);
    return outcome;
}

QString diaryFailureMessage(const QString& failure)
{
    return QStringLiteral("Заключение сохранено, но в дневник обследований не записано.\n%1").arg(failure);
}

QString diaryStateText(bool saveNeeded, const QString& folder, qsizetype count, const QString& failure)
{
    if (!failure.isEmpty())
        return failure;
    const QString start = QStringLiteral("Чтобы начать дневник, включите «Сервис → Сохранять заключения» и "
                                         "выберите папку: каждое заключение, сохраненное в эту папку, "
                                         "попадет в дневник вместе со всеми значениями обследования.");
    if (!saveNeeded)
        return count == 0 ? QStringLiteral("Дневник обследований пока не ведется. ") + start
                          : QStringLiteral("Новые обследования в дневник не записываются. ") + start;
    if (count > 0)
        return {};
    QString where = folder.isEmpty() ? QStringLiteral("в выбранную папку")
                                     : QStringLiteral("в папку %1").arg(QDir::toNativeSeparators(folder));
    return QStringLiteral("В дневнике пока нет обследований. Заполните страницы, откройте «Заключение» и "
                          "постройте отчет: когда отчет закроется, заключение сохранится %1 и обследование "
                          "появится здесь.")
        .arg(where);
}
