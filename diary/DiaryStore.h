#pragma once

#include "diary/DiaryEntry.h"
#include "diary/HomePressure.h"

#include <QSqlDatabase>

#include <functional>

// The examination diary: one SQLite file, the user's own in their data
// folder (older versions kept one beside the saved conclusions). Opened for
// writing it is created when missing and an older schema is brought up to
// date; opened for reading nothing is created or changed. A file that cannot
// be opened or is damaged leaves the store closed with the reason in
// errorText() and is never changed.
class DiaryStore final {
public:
    static constexpr int SchemaVersion = 3;
    static QString fileName(); // "Тессора.sqlite"
    // The user's data folder of the program, where the diary lives.
    static QString defaultFolder();
    // What changes with every write to the diary in folder, by this program
    // instance or another: the change counter in the file's header; empty
    // while there is no diary.
    static QByteArray changeMark(const QString& folder);

    enum class Access { Write, Read };

    explicit DiaryStore(const QString& folder, Access access = Access::Write);
    ~DiaryStore();
    DiaryStore(const DiaryStore&) = delete;
    DiaryStore& operator=(const DiaryStore&) = delete;

    bool isOpen() const { return m_errorText.isEmpty(); }
    QString errorText() const { return m_errorText; }
    QString filePath() const { return m_filePath; }

    // Adds the entries in one transaction: all of them or none. Returns false
    // with errorText() set when they could not be written.
    bool add(const QList<DiaryEntry>& entries);
    // Keeps the entry of an examination: one kept before for the same
    // examination and person is replaced, and its files stay with it.
    bool keep(const DiaryEntry& entry);
    // Removes the entry of that id with its tests; false with errorText()
    // set when it could not. The saved conclusion file is not touched.
    bool remove(qint64 id);
    // Every kept entry, newest first, with its id.
    QList<DiaryEntry> entries();

    bool addReadings(const QList<PressureReading>& readings);
    // Removes the home reading of that id, and nothing else; false with
    // errorText() set when it could not.
    bool removeReading(qint64 id);
    // Every home reading, oldest first, with its id.
    QList<PressureReading> readings();
    // The names of the people examined or measured, the latest first.
    QStringList people();

    // The diary files merged into this one.
    QStringList mergedDiaries();
    // Brings the entries and readings of the diary file `source` in, in one
    // transaction: an examination already here only gains its files, a
    // reading already here is not added again. The number of entries added.
    std::optional<int> merge(
        const QString& source, const QList<DiaryEntry>& entries, const QList<PressureReading>& readings);

private:
    bool open(Access access);
    int storedVersion();
    bool migrate(int version);
    bool inTransaction(const std::function<bool()>& work);
    bool insert(const DiaryEntry& entry, qint64* made = nullptr);
    bool insertFile(qint64 examination, const QString& path);
    bool insertReading(const PressureReading& reading);
    bool removeRow(const QString& table, qint64 id, const QString& gone);
    bool fail(const QString& what, const QString& reason);

    QString m_filePath;
    QString m_connection;
    QSqlDatabase m_database;
    int m_version = SchemaVersion;
    QString m_errorText;
};
