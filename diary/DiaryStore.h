#pragma once

#include "diary/DiaryEntry.h"

#include <QSqlDatabase>

// The examination diary: one SQLite file in the folder of the saved
// conclusions. Opened for writing it is created when missing and an older
// schema is brought up to date; opened for reading nothing is created or
// changed. A file that cannot be opened or is damaged leaves the store closed
// with the reason in errorText() and is never changed.
class DiaryStore final {
public:
    static constexpr int SchemaVersion = 2;
    static QString fileName(); // "Тессора.sqlite"

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
    // Removes the entry of that id with its tests; false with errorText()
    // set when it could not. The saved conclusion file is not touched.
    bool remove(qint64 id);
    // Every kept entry, newest first, with its id.
    QList<DiaryEntry> entries();

private:
    bool open(Access access);
    int storedVersion();
    bool migrate(int version);
    bool insert(DiaryEntry entry);
    bool fail(const QString& what, const QString& reason);

    QString m_filePath;
    QString m_connection;
    QSqlDatabase m_database;
    QString m_errorText;
};
