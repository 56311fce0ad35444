#include "diary/Diary.h"

#include "diary/DiaryStore.h"

#include <QDir>
#include <QFileInfo>

Diary::Diary(QString folder)
    : m_folder(std::move(folder))
{
}

DiaryOutcome Diary::keep(const ExaminationRecord& record, const Conclusion& conclusion,
    const QUuid& examination, const QString& savedFile, bool saveNeeded)
{
    DiaryOutcome outcome;
    if (!saveNeeded)
        return outcome;
    DiaryStore store(m_folder);
    const QString path = store.filePath();
    if (store.keep(
            entryFromRecord(record, conclusion, examination, QFileInfo(savedFile).absoluteFilePath()))) {
        m_reportedFailures.remove(path);
        outcome.written = true;
        return outcome;
    }
    outcome.failure = store.errorText();
    outcome.report = !m_reportedFailures.contains(path);
    m_reportedFailures.insert(path);
    return outcome;
}

QString Diary::mergeOldDiaries(const QStringList& folders)
{
    QStringList found;
    for (const QString& folder : folders) {
        const QString path = QFileInfo(QDir(folder).filePath(DiaryStore::fileName())).canonicalFilePath();
        if (!folder.isEmpty() && !path.isEmpty() && !found.contains(path))
            found << path;
    }
    // Nothing to bring in makes no diary yet.
    if (found.isEmpty())
        return {};
    DiaryStore target(m_folder);
    if (!target.isOpen())
        return target.errorText();
    const QString own = QFileInfo(target.filePath()).canonicalFilePath();
    const QStringList done = target.mergedDiaries();
    QStringList merged;
    QStringList failures;
    for (const QString& path : std::as_const(found)) {
        if (path == own || done.contains(path))
            continue;
        DiaryStore old(QFileInfo(path).absolutePath(), DiaryStore::Access::Read);
        const QList<DiaryEntry> entries = old.entries();
        const QList<PressureReading> readings = old.readings();
        if (!old.isOpen()) {
            failures << old.errorText();
            continue;
        }
        const std::optional<int> added = target.merge(path, entries, readings);
        if (!added) {
            failures << target.errorText();
            continue;
        }
        QString line
            = QStringLiteral("%1 — обследований: %2").arg(QDir::toNativeSeparators(path)).arg(entries.size());
        if (*added < entries.size())
            line += QStringLiteral(" (уже были в дневнике: %1)").arg(entries.size() - *added);
        merged << line;
    }
    QStringList told;
    if (!merged.isEmpty())
        told << QStringLiteral("Дневник обследований теперь один и хранится в папке %1. В него перенесены "
                               "прежние дневники из папок заключений:\n%2\nПрежние файлы оставлены на месте; "
                               "их можно удалить.")
                    .arg(QDir::toNativeSeparators(m_folder), merged.join(QLatin1Char('\n')));
    if (!failures.isEmpty())
        told << QStringLiteral(
            "Не удалось перенести в дневник (файлы оставлены как есть, программа попробует "
            "еще раз при следующем запуске):\n%1")
                    .arg(failures.join(QLatin1Char('\n')));
    return told.join(QStringLiteral("\n\n"));
}

QString diaryFailureMessage(const QString& failure)
{
    return QStringLiteral("Заключение сохранено, но в дневник обследований не записано.\n%1").arg(failure);
}

QString diaryStateText(bool saveNeeded, const QString& reportFolder, qsizetype count, const QString& failure)
{
    if (!failure.isEmpty())
        return failure;
    const QString start = QStringLiteral("Чтобы начать дневник, включите «Сервис → Сохранять заключения» и "
                                         "выберите папку для заключений: каждое сохраненное заключение "
                                         "попадет в дневник вместе со всеми значениями обследования.");
    if (!saveNeeded)
        return count == 0 ? QStringLiteral("Дневник обследований пока не ведется. ") + start
                          : QStringLiteral("Новые обследования в дневник не записываются. ") + start;
    if (count > 0)
        return {};
    QString where = reportFolder.isEmpty()
        ? QStringLiteral("в выбранную папку")
        : QStringLiteral("в папку %1").arg(QDir::toNativeSeparators(reportFolder));
    return QStringLiteral("В дневнике пока нет обследований. Заполните страницы, откройте «Заключение» и "
                          "постройте отчет: когда отчет закроется, заключение сохранится %1 и обследование "
                          "появится здесь.")
        .arg(where);
}
