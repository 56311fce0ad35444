#include "diary/DiaryStore.h"

#include "platform/files/PrivateFile.h"

#include <QDir>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

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

const QList<QStringList> Migrations = { Version1, Version2 };
static_assert(DiaryStore::SchemaVersion == 2);

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
    m_errorText = QStringLiteral("Дневник обследований %1: %2 (%3)")
                      .arg(QDir::toNativeSeparators(m_filePath), what, reason);
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

bool DiaryStore::add(const QList<DiaryEntry>& entries)
{
    if (!isOpen())
        return false;
    if (!m_database.transaction())
        return fail(QStringLiteral("запись невозможна"), m_database.lastError().text());
    for (const DiaryEntry& entry : entries) {
        if (!insert(entry)) {
            m_database.rollback();
            return false;
        }
    }
    if (!m_database.commit()) {
        const QString reason = m_database.lastError().text();
        m_database.rollback();
        return fail(QStringLiteral("запись невозможна"), reason);
    }
    return true;
}

bool DiaryStore::remove(qint64 id)
{
    if (!isOpen())
        return false;
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("DELETE FROM examination WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return fail(QStringLiteral("удаление невозможно"), query.lastError().text());
    if (query.numRowsAffected() != 1)
        return fail(QStringLiteral("удаление невозможно"), QStringLiteral("обследование уже удалено"));
    return true;
}

bool DiaryStore::insert(DiaryEntry entry)
{
    QSqlQuery query(m_database);
    query.prepare(QStringLiteral("INSERT INTO examination (taken, sex, age, height, weight, body_mass_index, "
                                 "temperature, pulse, rhythmic, systolic, diastolic, findings, specialists, "
                                 "saved_file) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value : { QVariant(momentText(entry.moment)), QVariant(entry.sex),
             QVariant(entry.age), optional(entry.height), optional(entry.weight),
             QVariant(entry.bodyMassIndex), QVariant(entry.temperature), QVariant(entry.pulse),
             QVariant(int(entry.rhythmic)), QVariant(entry.systolic), QVariant(entry.diastolic),
             numberList(entry.findings), numberList(entry.specialists), textValue(entry.savedFile) })
        query.addBindValue(value);
    if (!query.exec())
        return fail(QStringLiteral("запись невозможна"), query.lastError().text());
    const QVariant examination = query.lastInsertId();
    for (const DiaryTest& test : entry.tests) {
        query.prepare(QStringLiteral("INSERT INTO test (examination_id, kind, performed) VALUES (?, ?, ?)"));
        query.addBindValue(examination);
        query.addBindValue(kindName(test.kind));
        query.addBindValue(momentText(test.performed));
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
    return true;
}

QList<DiaryEntry> DiaryStore::entries()
{
    QList<DiaryEntry> result;
    if (!isOpen() || !m_database.isOpen())
        return result;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(
            QStringLiteral("SELECT id, taken, sex, age, height, weight, body_mass_index, temperature, "
                           "pulse, rhythmic, systolic, diastolic, findings, specialists, saved_file "
                           "FROM examination ORDER BY taken DESC, id DESC"))) {
        fail(QStringLiteral("чтение невозможно"), query.lastError().text());
        return result;
    }
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
        entry.savedFile = query.value(14).toString();
        rowOfExamination.insert(entry.id, result.size());
        result << entry;
    }

    // Tests in the order they were written, which is the order of the kinds.
    QHash<qint64, std::pair<qsizetype, qsizetype>> placeOfTest;
    // A first-version diary read without bringing it up to date has no tests.
    if (!m_database.tables().contains(QStringLiteral("test"))
        || !query.exec(QStringLiteral("SELECT id, examination_id, kind, performed FROM test ORDER BY id")))
        return result;
    while (query.next()) {
        const auto row = rowOfExamination.find(query.value(1).toLongLong());
        const std::optional<Test> kind = kindOf(query.value(2).toString());
        if (row == rowOfExamination.end() || !kind)
            continue;
        QList<DiaryTest>& tests = result[*row].tests;
        placeOfTest.insert(query.value(0).toLongLong(), { *row, tests.size() });
        tests.append({ *kind, momentOf(query.value(3)), {} });
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
