#include "diary/DiaryStore.h"

#include "decision/DecisionU.h"
#include "platform/files/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace {

using Test = ExaminationRecord::Test;

// Each step brings the schema from the version before it to its own; a new
// file runs them all.
const QStringList Version1 = {
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    QStringLiteral("INSERT INTO schema_version (version) VALUES (0)"),
    QStringLiteral("CREATE TABLE examination ("
                   "id INTEGER PRIMARY KEY, taken TEXT NOT NULL, sex INTEGER NOT NULL, age INTEGER NOT NULL, "
                   "height REAL, weight REAL, body_mass_index REAL NOT NULL, temperature REAL NOT NULL, "
                   "pulse INTEGER NOT NULL, rhythmic INTEGER NOT NULL, systolic INTEGER NOT NULL, "
                   "diastolic INTEGER NOT NULL, findings TEXT NOT NULL, specialists TEXT NOT NULL, "
                   "saved_file TEXT NOT NULL)"),
};

const QStringList Version2 = {
    QStringLiteral("CREATE TABLE test ("
                   "id INTEGER PRIMARY KEY, "
                   "examination_id INTEGER NOT NULL REFERENCES examination(id) ON DELETE CASCADE, "
                   "kind TEXT NOT NULL, performed TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE test_value ("
                   "test_id INTEGER NOT NULL REFERENCES test(id) ON DELETE CASCADE, "
                   "name TEXT NOT NULL, value REAL NOT NULL)"),
    QStringLiteral("CREATE INDEX examination_taken ON examination (taken)"),
    QStringLiteral("CREATE INDEX test_examination ON test (examination_id)"),
    QStringLiteral("CREATE INDEX test_value_test ON test_value (test_id)"),
};

// The examination's identity, the person, the conclusion's notices, whether
// each test counted, every file a conclusion was saved as (full paths from
// now on), the home pressure readings and the diaries merged in.
const QStringList Version3 = {
    QStringLiteral("ALTER TABLE examination ADD COLUMN examination_key TEXT"),
    QStringLiteral("ALTER TABLE examination ADD COLUMN person TEXT NOT NULL DEFAULT ''"),
    QStringLiteral("ALTER TABLE examination ADD COLUMN notice TEXT"),
    QStringLiteral("ALTER TABLE examination ADD COLUMN same_day_notice TEXT NOT NULL DEFAULT ''"),
    QStringLiteral("ALTER TABLE test ADD COLUMN counted INTEGER"),
    QStringLiteral("CREATE UNIQUE INDEX examination_key_person ON examination (examination_key, person)"),
    QStringLiteral("CREATE TABLE saved_file ("
                   "examination_id INTEGER NOT NULL REFERENCES examination(id) ON DELETE CASCADE, "
                   "path TEXT NOT NULL, UNIQUE (examination_id, path))"),
    QStringLiteral("INSERT INTO saved_file (examination_id, path) "
                   "SELECT id, saved_file FROM examination WHERE saved_file <> ''"),
    QStringLiteral("UPDATE examination SET saved_file = ''"),
    QStringLiteral("CREATE TABLE reading ("
                   "id INTEGER PRIMARY KEY, person TEXT NOT NULL, taken TEXT NOT NULL, "
                   "systolic INTEGER NOT NULL, diastolic INTEGER NOT NULL, pulse INTEGER)"),
    QStringLiteral("CREATE INDEX reading_taken ON reading (taken)"),
    QStringLiteral("CREATE TABLE merged_diary (path TEXT PRIMARY KEY, merged TEXT NOT NULL, "
                   "examinations INTEGER NOT NULL)"),
};

const QList<QStringList> Migrations = { Version1, Version2, Version3 };
static_assert(DiaryStore::SchemaVersion == 3);

const char* const TestKinds[] = { "ECG", "Flu", "Blood", "Urine" };

QString kindName(Test kind)
{
    return QString::fromLatin1(TestKinds[size_t(kind)]);
}

std::optional<Test> kindOf(const QString& name)
{
    for (size_t k = 0; k < std::size(TestKinds); ++k) {
        if (name == QLatin1String(TestKinds[k]))
            return Test(k);
    }
    return std::nullopt;
}

// Moments are kept as UTC text, so that their order is the order of the text.
QString momentText(const QDateTime& moment)
{
    return moment.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime momentOf(const QVariant& text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs).toLocalTime();
}

QVariant optional(const std::optional<double>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Double));
}

std::optional<double> optionalOf(const QVariant& value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

// The driver binds a null string as NULL; the text columns want empty text.
QVariant textValue(const QString& text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant numberList(const QList<int>& numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return textValue(texts.join(QLatin1Char(',')));
}

QList<int> numbersOf(const QString& text)
{
    QList<int> numbers;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        numbers << part.toInt();
    return numbers;
}

QVariant linesValue(const QStringList& lines)
{
    return textValue(lines.join(QLatin1Char('\n')));
}

QStringList linesOf(const QVariant& text)
{
    return text.toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QVariant optionalInt(const std::optional<int>& value)
{
    return value ? QVariant(*value) : QVariant(QMetaType(QMetaType::Int));
}

QString nextConnectionName()
{
    static std::atomic<int> counter = 0;
    return QStringLiteral("TessoraDiary-%1").arg(++counter);
}

} // namespace

QString DiaryStore::fileName()
{
    return QStringLiteral("Тессора.sqlite");
}

QString DiaryStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QByteArray DiaryStore::changeMark(const QString& folder)
{
    // SQLite counts the writes at this place of its header; the diary's
    // rollback journal keeps the count on every commit.
    constexpr qint64 CounterAt = 24;
    QFile file(QDir(folder).filePath(fileName()));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(CounterAt))
        return {};
    return file.read(4);
}

DiaryStore::DiaryStore(const QString& folder, Access access)
    : m_filePath(QDir(folder).filePath(fileName()))
    , m_connection(nextConnectionName())
{
    open(access);
}

DiaryStore::~DiaryStore()
{
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

bool DiaryStore::fail(const QString& what, const QString& reason)
{
    // SQLite words its errors in English; the one a person can act on is said in Russian.
    const bool full = reason.contains(QLatin1String("disk is full"));
    m_errorText = QStringLiteral("Дневник обследований %1: %2 (%3)")
                      .arg(QDir::toNativeSeparators(m_filePath), what,
                          full ? QStringLiteral("на диске нет места") : reason);
    return false;
}

bool DiaryStore::open(Access access)
{
    // Written through, a planted link would put the diary wherever it points.
    if (PrivateFile::isLink(m_filePath))
        return fail(QStringLiteral("это символическая ссылка, а не файл; дневник по ней не открывается"),
            QDir::toNativeSeparators(QFileInfo(m_filePath).symLinkTarget()));
    // Reading a diary that does not exist yet finds it empty.
    if (access == Access::Read && !QFileInfo::exists(m_filePath))
        return true;
    // The data folder is made on first writing, the part that is the program's own private.
    if (access == Access::Write && !QFileInfo(m_filePath).dir().exists()
        && QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        QFile::setPermissions(QFileInfo(m_filePath).absolutePath(),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(m_filePath).dir().exists())
        return fail(
            QStringLiteral("папка не найдена"), QDir::toNativeSeparators(QFileInfo(m_filePath).path()));
    // A new diary is readable by its owner only; SQLite gives its journal the same mode.
    if (access == Access::Write && !PrivateFile::ensureFile(m_filePath))
        return fail(QStringLiteral("файл не создается"), QDir::toNativeSeparators(m_filePath));
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    if (!m_database.isValid())
        return fail(QStringLiteral("файл не открывается"), QStringLiteral("нет драйвера SQLite"));
    m_database.setDatabaseName(m_filePath);
    if (access == Access::Read)
        m_database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!m_database.open())
        return fail(QStringLiteral("файл не открывается"), m_database.lastError().text());
    QSqlQuery check(m_database);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        return fail(QStringLiteral("файл поврежден"), check.lastError().text());
    if (check.value(0).toString() != QLatin1String("ok"))
        return fail(QStringLiteral("файл поврежден"), check.value(0).toString());
    check.finish();
    QSqlQuery(m_database).exec(QStringLiteral("PRAGMA foreign_keys = ON"));
    const int version = storedVersion();
    if (version < 0)
        return false;
    if (version > SchemaVersion)
        return fail(QStringLiteral("записан более новой версией программы"),
            QStringLiteral("версия схемы %1").arg(version));
    m_version = access == Access::Read ? version : SchemaVersion;
    return access == Access::Read || migrate(version);
}

// The schema version of the file: 0 for a new one, -1 (with the reason) for
// a file that is not a diary.
int DiaryStore::storedVersion()
{
    const QStringList tables = m_database.tables();
    if (tables.isEmpty())
        return 0;
    QSqlQuery query(m_database);
    if (!tables.contains(QStringLiteral("schema_version"))) {
        fail(QStringLiteral("это не дневник обследований"), QStringLiteral("нет версии схемы"));
        return -1;
    }
    if (!query.exec(QStringLiteral("SELECT version FROM schema_version")) || !query.next()) {
        fail(QStringLiteral("нет версии схемы"), query.lastError().text());
        return -1;
    }
    return query.value(0).toInt();
}

bool DiaryStore::migrate(int version)
{
    QSqlQuery query(m_database);
    for (; version < SchemaVersion; ++version) {
        // Another program instance may bring the schema up at the same moment:
        // the step takes the write lock first and looks again.
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return fail(QStringLiteral("не могу обновить схему"), query.lastError().text());
        const int stored = storedVersion();
        if (stored != version) {
            m_database.rollback();
            if (stored < version)
                return stored < 0 ? false : fail(QStringLiteral("не могу обновить схему"), QString());
            version = stored - 1;
            continue;
        }
        for (const QString& statement : Migrations[version]) {
            if (!query.exec(statement)) {
                const QString reason = query.lastError().text();
                m_database.rollback();
                return fail(QStringLiteral("не могу обновить схему"), reason);
            }
        }
        query.prepare(QStringLiteral("UPDATE schema_version SET version = ?"));
        query.addBindValue(version + 1);
        if (!query.exec() || !m_database.commit()) {
            const QString reason = query.lastError().text() + m_database.lastError().text();
            m_database.rollback();
            return fail(QStringLiteral("не могу обновить схему"), reason);
        }
    }
    return true;
}

bool DiaryStore::inTransaction(const std::function<bool()>& work)
{
    if (!isOpen())
        return false;
    if (!m_database.transaction())
        return fail(QStringLiteral("запись невозможна"), m_database.lastError().text());
    if (!work()) {
        m_database.rollback();
        return false;
    }
    if (!m_database.commit()) {
        const QString reason = m_database.lastError().text();
        m_database.rollback();
        return fail(QStringLiteral("запись невозможна"), reason);
    }
    return true;
}

bool DiaryStore::add(const QList<DiaryEntry>& entries)
{
    return inTransaction([&] {
        return std::all_of(
            entries.begin(), entries.end(), [this](const DiaryEntry& entry) { return insert(entry); });
    });
}

bool DiaryStore::keep(const DiaryEntry& entry)
{
    return inTransaction([&] {
        DiaryEntry kept = entry;
        QSqlQuery query(m_database);
        query.prepare(QStringLiteral("SELECT id FROM examination WHERE examination_key = ? AND person = ?"));
        query.addBindValue(entry.examination.isNull() ? QVariant() : QVariant(entry.examination.toString()));
        query.addBindValue(textValue(entry.person));
        if (!query.exec())
            return fail(QStringLiteral("запись невозможна"), query.lastError().text());
        if (query.next()) {
            kept.id = query.value(0).toLongLong();
            query.prepare(
                QStringLiteral("SELECT path FROM saved_file WHERE examination_id = ? ORDER BY rowid"));
            query.addBindValue(kept.id);
            if (!query.exec())
                return fail(QStringLiteral("запись невозможна"), query.lastError().text());
            QStringList files;
            while (query.next())
                files << query.value(0).toString();
            for (const QString& file : std::as_const(kept.savedFiles)) {
                if (!files.contains(file))
                    files << file;
            }
            kept.savedFiles = files;
            query.prepare(QStringLiteral("DELETE FROM examination WHERE id = ?"));
            query.addBindValue(kept.id);
            if (!query.exec())
                return fail(QStringLiteral("запись невозможна"), query.lastError().text());
        }
        return insert(kept);
    });
}

bool DiaryStore::remove(qint64 id)
{
    return removeRow(QStringLiteral("examination"), id, QStringLiteral("обследование уже удалено"));
}

bool DiaryStore::removeReading(qint64 id)
{
    return removeRow(QStringLiteral("reading"), id, QStringLiteral("измерение уже удалено"));
}

bool DiaryStore::removeRow(const QString& table, qint64 id, const QString& gone)
{
    if (!isOpen())
        return false;
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table));
    query.addBindValue(id);
    if (!query.exec())
        return fail(QStringLiteral("удаление невозможно"), query.lastError().text());
    if (query.numRowsAffected() != 1)
        return fail(QStringLiteral("удаление невозможно"), gone);
    return true;
}

bool DiaryStore::insert(const DiaryEntry& entry, qint64* made)
{
    QSqlQuery query(m_database);
    query.prepare(
        QStringLiteral("INSERT INTO examination (id, examination_key, person, taken, sex, age, height, "
                       "weight, body_mass_index, temperature, pulse, rhythmic, systolic, diastolic, "
                       "findings, specialists, notice, same_day_notice, saved_file) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '')"));
    for (const QVariant& value :
        { entry.id != 0 ? QVariant(entry.id) : QVariant(QMetaType(QMetaType::LongLong)),
            entry.examination.isNull() ? QVariant(QMetaType(QMetaType::QString))
                                       : QVariant(entry.examination.toString()),
            textValue(entry.person), QVariant(momentText(entry.moment)), QVariant(entry.sex),
            QVariant(entry.age), optional(entry.height), optional(entry.weight),
            QVariant(entry.bodyMassIndex), QVariant(entry.temperature), QVariant(entry.pulse),
            QVariant(int(entry.rhythmic)), QVariant(entry.systolic), QVariant(entry.diastolic),
            numberList(entry.findings), numberList(entry.specialists),
            entry.notice ? linesValue(*entry.notice) : QVariant(QMetaType(QMetaType::QString)),
            linesValue(entry.sameDayNotice) })
        query.addBindValue(value);
    if (!query.exec())
        return fail(QStringLiteral("запись невозможна"), query.lastError().text());
    const qint64 examination = query.lastInsertId().toLongLong();
    if (made)
        *made = examination;
    for (const DiaryTest& test : entry.tests) {
        query.prepare(QStringLiteral(
            "INSERT INTO test (examination_id, kind, performed, counted) VALUES (?, ?, ?, ?)"));
        query.addBindValue(examination);
        query.addBindValue(kindName(test.kind));
        query.addBindValue(momentText(test.performed));
        query.addBindValue(int(test.counted));
        if (!query.exec())
            return fail(QStringLiteral("запись невозможна"), query.lastError().text());
        const QVariant testId = query.lastInsertId();
        for (const DiaryValue& value : test.values) {
            query.prepare(QStringLiteral("INSERT INTO test_value (test_id, name, value) VALUES (?, ?, ?)"));
            query.addBindValue(testId);
            query.addBindValue(value.name);
            query.addBindValue(value.value);
            if (!query.exec())
                return fail(QStringLiteral("запись невозможна"), query.lastError().text());
        }
    }
    return std::all_of(entry.savedFiles.begin(), entry.savedFiles.end(),
        [&](const QString& path) { return insertFile(examination, path); });
}

bool DiaryStore::insertFile(qint64 examination, const QString& path)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO saved_file (examination_id, path) VALUES (?, ?)"));
    query.addBindValue(examination);
    query.addBindValue(path);
    return query.exec() || fail(QStringLiteral("запись невозможна"), query.lastError().text());
}

QList<DiaryEntry> DiaryStore::entries()
{
    QList<DiaryEntry> result;
    if (!isOpen() || !m_database.isOpen())
        return result;
    // A diary of an older version, read without bringing it up to date, lacks the newer columns.
    const QString newer = m_version >= 3 ? QStringLiteral("examination_key, person, notice, same_day_notice")
                                         : QStringLiteral("NULL, '', NULL, ''");
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT id, taken, sex, age, height, weight, body_mass_index, temperature, "
                           "pulse, rhythmic, systolic, diastolic, findings, specialists, saved_file, %1 "
                           "FROM examination ORDER BY taken DESC, id DESC")
                .arg(newer))) {
        fail(QStringLiteral("чтение невозможно"), query.lastError().text());
        return result;
    }
    // Files were kept relative to the folder of the diary beside them.
    const QDir folder = QFileInfo(m_filePath).dir();
    QHash<qint64, qsizetype> rowOfExamination;
    while (query.next()) {
        DiaryEntry entry;
        entry.id = query.value(0).toLongLong();
        entry.moment = momentOf(query.value(1));
        entry.sex = query.value(2).toInt();
        entry.age = query.value(3).toInt();
        entry.height = optionalOf(query.value(4));
        entry.weight = optionalOf(query.value(5));
        entry.bodyMassIndex = query.value(6).toDouble();
        entry.temperature = query.value(7).toDouble();
        entry.pulse = query.value(8).toInt();
        entry.rhythmic = query.value(9).toBool();
        entry.systolic = query.value(10).toInt();
        entry.diastolic = query.value(11).toInt();
        entry.findings = numbersOf(query.value(12).toString());
        entry.specialists = numbersOf(query.value(13).toString());
        if (const QString file = query.value(14).toString(); !file.isEmpty())
            entry.savedFiles << folder.absoluteFilePath(file);
        entry.examination = QUuid::fromString(query.value(15).toString());
        entry.person = query.value(16).toString();
        if (!query.value(17).isNull())
            entry.notice = linesOf(query.value(17));
        entry.sameDayNotice = linesOf(query.value(18));
        rowOfExamination.insert(entry.id, result.size());
        result << entry;
    }

    if (m_version >= 3
        && query.exec(QStringLiteral("SELECT examination_id, path FROM saved_file ORDER BY rowid"))) {
        while (query.next()) {
            const auto row = rowOfExamination.find(query.value(0).toLongLong());
            if (row != rowOfExamination.end())
                result[*row].savedFiles << folder.absoluteFilePath(query.value(1).toString());
        }
    }
    // Tests in the order they were written, which is the order of the kinds.
    QHash<qint64, std::pair<qsizetype, qsizetype>> placeOfTest;
    // A first-version diary read without bringing it up to date has no tests.
    if (!m_database.tables().contains(QStringLiteral("test"))
        || !query.exec(QStringLiteral("SELECT id, examination_id, kind, performed, %1 FROM test ORDER BY id")
                           .arg(m_version >= 3 ? QStringLiteral("counted") : QStringLiteral("NULL"))))
        return result;
    while (query.next()) {
        const auto row = rowOfExamination.find(query.value(1).toLongLong());
        const std::optional<Test> kind = kindOf(query.value(2).toString());
        if (row == rowOfExamination.end() || !kind)
            continue;
        DiaryEntry& entry = result[*row];
        const QDateTime performed = momentOf(query.value(3));
        // Kept before the diary kept it: counted as the conclusion counts, by its date.
        const bool counted = query.value(4).isNull() ? IsTestRecent(*kind, performed, entry.moment)
                                                     : query.value(4).toBool();
        placeOfTest.insert(query.value(0).toLongLong(), { *row, entry.tests.size() });
        entry.tests.append({ *kind, performed, {}, counted });
    }
    if (!query.exec(QStringLiteral("SELECT test_id, name, value FROM test_value ORDER BY rowid")))
        return result;
    while (query.next()) {
        const auto place = placeOfTest.find(query.value(0).toLongLong());
        if (place != placeOfTest.end())
            result[place->first].tests[place->second].values.append(
                { query.value(1).toString(), query.value(2).toDouble() });
    }
    return result;
}

bool DiaryStore::insertReading(const PressureReading& reading)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral(
        "INSERT INTO reading (person, taken, systolic, diastolic, pulse) VALUES (?, ?, ?, ?, ?)"));
    for (const QVariant& value : { textValue(reading.person), QVariant(momentText(reading.taken)),
             QVariant(reading.systolic), QVariant(reading.diastolic), optionalInt(reading.pulse) })
        query.addBindValue(value);
    return query.exec() || fail(QStringLiteral("запись невозможна"), query.lastError().text());
}

bool DiaryStore::addReadings(const QList<PressureReading>& readings)
{
    return inTransaction([&] {
        return std::all_of(readings.begin(), readings.end(),
            [this](const PressureReading& reading) { return insertReading(reading); });
    });
}

QList<PressureReading> DiaryStore::readings()
{
    QList<PressureReading> result;
    if (!isOpen() || !m_database.isOpen() || m_version < 3)
        return result;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, person, taken, systolic, diastolic, pulse FROM reading "
                                   "ORDER BY taken, id"))) {
        fail(QStringLiteral("чтение невозможно"), query.lastError().text());
        return result;
    }
    while (query.next()) {
        result.append({ query.value(0).toLongLong(), query.value(1).toString(), momentOf(query.value(2)),
            query.value(3).toInt(), query.value(4).toInt(),
            query.value(5).isNull() ? std::nullopt : std::optional<int>(query.value(5).toInt()) });
    }
    return result;
}

QStringList DiaryStore::people()
{
    QStringList names;
    if (!isOpen() || !m_database.isOpen() || m_version < 3)
        return names;
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("SELECT person, MAX(taken) AS latest FROM ("
                                   "SELECT person, taken FROM examination UNION ALL "
                                   "SELECT person, taken FROM reading) WHERE person <> '' "
                                   "GROUP BY person ORDER BY latest DESC, person"))) {
        fail(QStringLiteral("чтение невозможно"), query.lastError().text());
        return names;
    }
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QStringList DiaryStore::mergedDiaries()
{
    QStringList paths;
    QSqlQuery query(m_database);
    if (isOpen() && m_database.isOpen() && m_version >= 3
        && query.exec(QStringLiteral("SELECT path FROM merged_diary ORDER BY rowid"))) {
        while (query.next())
            paths << query.value(0).toString();
    }
    return paths;
}

std::optional<int> DiaryStore::merge(
    const QString& source, const QList<DiaryEntry>& entries, const QList<PressureReading>& readings)
{
    QList<DiaryEntry> kept = this->entries();
    const QList<PressureReading> keptReadings = this->readings();
    int added = 0;
    const bool merged = inTransaction([&] {
        for (const DiaryEntry& entry : entries) {
            const auto same = std::find_if(kept.begin(), kept.end(),
                [&entry](const DiaryEntry& other) { return sameExamination(entry, other); });
            if (same == kept.end()) {
                DiaryEntry fresh = entry;
                fresh.id = 0;
                if (!insert(fresh, &fresh.id))
                    return false;
                kept << fresh;
                ++added;
                continue;
            }
            for (const QString& file : entry.savedFiles) {
                if (!insertFile(same->id, file))
                    return false;
            }
        }
        for (PressureReading reading : readings) {
            reading.id = 0;
            const bool known = std::any_of(keptReadings.begin(), keptReadings.end(),
                [&reading](PressureReading other) { return (other.id = 0, other == reading); });
            if (!known && !insertReading(reading))
                return false;
        }
        QSqlQuery query(m_database);
        query.prepare(
            QStringLiteral("INSERT INTO merged_diary (path, merged, examinations) VALUES (?, ?, ?)"));
        query.addBindValue(source);
        query.addBindValue(momentText(QDateTime::currentDateTime()));
        query.addBindValue(added);
        return query.exec() || fail(QStringLiteral("запись невозможна"), query.lastError().text());
    });
    return merged ? std::optional<int>(added) : std::nullopt;
}
