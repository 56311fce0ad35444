#include "diary/Diary.h"
#include "diary/DiaryCsv.h"
#include "diary/DiaryStore.h"
#include "diary/DiaryTrends.h"
#include "diary/HomePressure.h"
#include "tests/DiaryTestData.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Monday(QDate(2026, 3, 2), QTime(9, 15, 30, 250));

QString DiaryPath(const QTemporaryDir& folder)
{
    return folder.filePath(DiaryStore::fileName());
}

// Runs SQL on a file through a connection of its own, as another program would.
void ExecSql(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
        database.setDatabaseName(path);
        QVERIFY(database.open());
        for (const QString& statement : statements)
            QVERIFY2(QSqlQuery(database).exec(statement), qPrintable(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test"));
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A spreadsheet's reading of a CSV text: ";" between fields, quoted fields
// with doubled quotes, CR LF between rows.
QList<QStringList> ReadCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        const QChar next = k + 1 < text.size() ? text.at(k + 1) : QChar();
        if (quoted) {
            if (c == QLatin1Char('"') && next == QLatin1Char('"'))
                field += text.at(++k);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            row << std::exchange(field, QString());
        } else if (c == QLatin1Char('\r') && next == QLatin1Char('\n')) {
            row << std::exchange(field, QString());
            rows << std::exchange(row, QStringList());
            ++k;
        } else {
            field += c;
        }
    }
    return rows;
}

// A diary of the first version (no tests) in folder, and its one entry as read.
DiaryEntry firstVersionDiary(const QString& folder)
{
    ExecSql(QDir(folder).filePath(DiaryStore::fileName()),
        { QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
            QStringLiteral("INSERT INTO schema_version VALUES (1)"),
            QStringLiteral(
                "CREATE TABLE examination (id INTEGER PRIMARY KEY, taken TEXT NOT NULL, sex INTEGER NOT "
                "NULL, age INTEGER NOT NULL, height REAL, weight REAL, body_mass_index REAL NOT NULL, "
                "temperature REAL NOT NULL, pulse INTEGER NOT NULL, rhythmic INTEGER NOT NULL, systolic "
                "INTEGER NOT NULL, diastolic INTEGER NOT NULL, findings TEXT NOT NULL, specialists TEXT "
                "NOT NULL, saved_file TEXT NOT NULL)"),
            QStringLiteral(
                "INSERT INTO examination VALUES (1, '2025-11-20T08:00:00.000Z', 1, 52, 175, NULL, 0, "
                "37.2, 64, 0, 150, 85, '6,175', '17', 'Заключение старое.doc')") });
    DiaryEntry old;
    old.id = 1;
    old.moment = QDateTime(QDate(2025, 11, 20), QTime(8, 0), Qt::UTC).toLocalTime();
    old.sex = 1;
    old.age = 52;
    old.height = 175;
    old.temperature = 37.2;
    old.pulse = 64;
    old.rhythmic = false;
    old.systolic = 150;
    old.diastolic = 85;
    old.findings = { 6, 175 };
    old.specialists = { 17 };
    old.savedFiles = QStringList { QDir(folder).filePath(QStringLiteral("Заключение старое.doc")) };
    return old;
}

} // namespace

class TestDiary : public QObject {
    Q_OBJECT

private slots:
    void init();
    void threeExaminationsInOrder();
    void migratesFromFirstVersion();
    void oneEntryPerExamination();
    void mergesOldDiariesOnce();
    void homeSeries_data();
    void homeSeries();
    void urgentNoticeAsInTheConclusion_data();
    void urgentNoticeAsInTheConclusion();
    void unusableDiary_data();
    void unusableDiary();
    void nothingWritten_data();
    void nothingWritten();
    void removeReading_data();
    void removeReading();
    void csvRoundTrip();
    void weightChart();
    void cellsOfValuesNotGiven();
    void timeAxis_data();
    void timeAxis();
};

void TestDiary::init()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// Three conclusions saved on three days come back newest first, each value
// as it was entered, and their rows read as the conclusion flags them.
void TestDiary::threeExaminationsInOrder()
{
    QTemporaryDir folder;
    const QStringList descriptions = {
        QStringLiteral("female age=35 height=165 weight=60 temp=36.6 pulse=72 bp=120/80"),
        QStringLiteral(
            "male age=41 height=180 weight=101 temp=37.4 pulse=95 arrhythmia bp=170/95 ecg=100 block "
            "flu=30 fluPathology blood=10 hb=105 leu=9.1 esr=20 urine=5 protein uery=7"),
        QStringLiteral("male age=41 height=180 weight=58 temp=35.8 pulse=55 bp=95/65 blood=3 hb=140 leu=3.2 "
                       "esr=4 cbxLPah"),
    };
    QList<DiaryEntry> expected;
    for (int day = 0; day < 3; ++day) {
        const QDateTime moment = Monday.addDays(day * 7 + day);
        TestRecord record(moment);
        QCOMPARE(record.apply(descriptions[day]), QString());
        const Conclusion conclusion = Conclude(record, ComplaintPhrases(), moment);
        const QString file = folder.filePath(QStringLiteral("Заключение %1.doc").arg(day));
        const QUuid examination = QUuid::createUuid();
        const DiaryOutcome outcome = Diary(folder.path()).keep(record, conclusion, examination, file, true);
        QVERIFY2(outcome.written, qPrintable(outcome.failure));
        expected.prepend(entryFromRecord(record, conclusion, examination, file));
        expected.first().id = day + 1;
    }

    QList<DiaryEntry> entries = DiaryStore(folder.path(), DiaryStore::Access::Read).entries();
    QCOMPARE(entries, expected);

    QList<QStringList> rows;
    QList<QList<DiaryFlag>> flags;
    for (const DiaryEntry& entry : entries) {
        rows << diaryCells(entry);
        flags << QList<DiaryFlag>();
        for (int column = 0; column < DiaryColumnCount; ++column)
            flags.last() << diaryCellFlag(entry, DiaryColumn(column));
    }
    using F = DiaryFlag;
    const F o = F::None;
    const QList<QStringList> expectedRows = {
        { "18.03.2026 09:15", "", "муж", "41", "180", "58", "17,9", "35,8", "55", "ритмичный", "95", "65", "",
            "", "15.03.2026: гемоглобин 140 г/л, лейкоциты 3,2 тыс./мкл, СОЭ 4 мм/час", "",
            "масса снижена, температура снижена, брадикардия, гипотензия, лейкоциты крови снижены, "
            "увеличенные паховые лимфатические узлы",
            "уролога, терапевта", folder.filePath("Заключение 2.doc") },
        { "10.03.2026 09:15", "", "муж", "41", "180", "101", "31,2", "37,4", "95", "аритмия", "170", "95",
            "30.11.2025: блокада ножки пучка Гиса", "08.02.2026: патология",
            "28.02.2026: гемоглобин 105 г/л, лейкоциты 9,1 тыс./мкл, СОЭ 20 мм/час",
            "05.03.2026: белок есть, сахар нет, эритроциты 7, лейкоциты 0",
            "масса повышена, температура повышена, тахикардия, аритмия, гипертензия, ЭКГ: патология, "
            "флюорография: патология, гемоглобин снижен, лейкоциты крови повышены, СОЭ повышена, белок в "
            "моче, "
            "эритроциты в моче повышены",
            "кардиолога, пульмонолога, нефролога, терапевта", folder.filePath("Заключение 1.doc") },
        { "02.03.2026 09:15", "", "жен", "35", "165", "60", "22,0", "36,6", "72", "ритмичный", "120", "80",
            "", "", "", "", "", "", folder.filePath("Заключение 0.doc") },
    };
    QCOMPARE(rows, expectedRows);
    const QList<QList<F>> expectedFlags = {
        { o, o, o, o, o, o, F::Low, F::Low, F::Low, o, F::Low, F::Low, o, o, F::Low, o, o, o, o },
        { o, o, o, o, o, o, F::High, F::High, F::High, F::High, F::High, F::High, F::High, F::High, F::High,
            F::High, o, o, o },
        QList<F>(DiaryColumnCount, o),
    };
    QCOMPARE(flags, expectedFlags);
}

// A number the person did not give leaves its cell empty or says so; one
// outside its field or finer than it is kept as typed.
void TestDiary::cellsOfValuesNotGiven()
{
    TestRecord record(Monday);
    QCOMPARE(record.apply(QStringLiteral("blood=3 hb=100 pulse=400 clampedWeight=70.5")), QString());
    record.leucocytesTenths.given = record.esr.given = false;
    record.gender.given = record.birthDate.given = false;
    const QStringList cells
        = diaryCells(entryFromRecord(record, Conclude(record, ComplaintPhrases(), Monday), {}, {}));
    QCOMPARE(cells.mid(int(DiaryColumn::Sex), 2), QStringList({ QString(), QString() }));
    QCOMPARE(cells.at(int(DiaryColumn::Weight)), QStringLiteral("70,5"));
    QCOMPARE(cells.at(int(DiaryColumn::Pulse)), QStringLiteral("400"));
    QCOMPARE(cells.at(int(DiaryColumn::Blood)),
        QStringLiteral("27.02.2026: гемоглобин 100 г/л, лейкоциты не указаны, СОЭ не указана"));
    QVERIFY(cells.at(int(DiaryColumn::Findings)).startsWith(QStringLiteral("СРОЧНО! Пульс в покое 400")));
}

// Read back from the diary, an examination carries the urgent notice its
// conclusion opened with, word for word, ahead of its findings.
void TestDiary::urgentNoticeAsInTheConclusion_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("lines");
    QTest::newRow("pressure 190/115") << "bp=190/115" << 1;
    QTest::newRow("haemoglobin 70, blood 10 days old") << "blood=10 hb=70" << 1;
    QTest::newRow("haemoglobin 70, blood 65 days old") << "blood=65 hb=70" << 0;
    QTest::newRow("temperature 40,0 and pulse 135") << "temp=40 pulse=135" << 2;
    QTest::newRow("red-flag values never measured") << "temp=41 pulse=30 bp=200/120 unmeasured" << 0;
    QTest::newRow("chest pain and pulse 38") << "q7 pulse=38" << 3;
    QTest::newRow("pressure 85/50, pulse 110") << "bp=85/50 pulse=110" << 2;
    QTest::newRow("temperature 34,5") << "temp=34.5" << 1;
    QTest::newRow("floaters: a same-day notice") << "q53" << 0;
}

void TestDiary::urgentNoticeAsInTheConclusion()
{
    QFETCH(QString, record);
    TestRecord examination(Monday);
    QCOMPARE(examination.apply(record), QString());
    const Conclusion conclusion = Conclude(examination, ComplaintPhrases(), Monday);
    QTemporaryDir folder;
    QVERIFY(
        Diary(folder.path()).keep(examination, conclusion, QUuid(), folder.filePath("a.doc"), true).written);
    DiaryEntry entry = DiaryStore(folder.path(), DiaryStore::Access::Read).entries().value(0);
    QCOMPARE(urgentNotice(entry), conclusion.Notice);
    // An older diary kept no notice: it is worked out again from the values.
    entry.notice.reset();
    QCOMPARE(urgentNotice(entry), conclusion.Notice);
    QTEST(int(conclusion.Notice.size()), "lines");
    const QString findings = diaryCells(entry).value(int(DiaryColumn::Findings));
    QVERIFY(findings.startsWith(conclusion.Notice.join(QLatin1Char(' '))));
    for (DiaryColumn column : { DiaryColumn::Moment, DiaryColumn::Findings })
        QCOMPARE(diaryCellFlag(entry, column) == DiaryFlag::High, !conclusion.Notice.isEmpty());
}

// A diary of the first version (no tests) is brought up to date on opening:
// its examination stays, and new ones keep their tests.
void TestDiary::migratesFromFirstVersion()
{
    QTemporaryDir folder;
    const DiaryEntry old = firstVersionDiary(folder.path());
    DiaryEntry fresh = diaryTestEntry(QStringLiteral("male blood=1 hb=120 urine=1 sugar"), Monday,
        folder.filePath(QStringLiteral("Заключение.doc")), QStringLiteral("Анна"));
    {
        DiaryStore store(folder.path());
        QVERIFY2(store.isOpen(), qPrintable(store.errorText()));
        QVERIFY2(store.add({ fresh }), qPrintable(store.errorText()));
    }
    fresh.id = 2;
    QCOMPARE(
        DiaryStore(folder.path(), DiaryStore::Access::Read).entries(), QList<DiaryEntry>({ fresh, old }));
}

// Saved again, as a document and as text, an examination keeps one entry
// with both files; another person or «Новая» starts an entry of its own.
void TestDiary::oneEntryPerExamination()
{
    QTemporaryDir folder;
    Diary diary(folder.path());
    TestRecord record(Monday);
    const Conclusion conclusion = Conclude(record, ComplaintPhrases(), Monday);
    const QUuid first = QUuid::createUuid();
    const QString doc = folder.filePath("Заключение.doc");
    const QString text = folder.filePath("Заключение.txt");
    for (const auto& [examination, person, file] : { std::tuple(first, "", doc), std::tuple(first, "", text),
             std::tuple(first, "Анна", doc), std::tuple(QUuid::createUuid(), "", doc) }) {
        record.name = QString::fromUtf8(person);
        QVERIFY(diary.keep(record, conclusion, examination, file, true).written);
    }
    QStringList kept;
    for (const DiaryEntry& entry : DiaryStore(folder.path(), DiaryStore::Access::Read).entries())
        kept << QStringLiteral("%1 %2: %3").arg(entry.id).arg(entry.person, entry.savedFiles.join(" + "));
    QCOMPARE(kept,
        QStringList({ QStringLiteral("3 : %1").arg(doc), QStringLiteral("2 Анна: %1").arg(doc),
            QStringLiteral("1 : %1 + %2").arg(doc, text) }));
}

// The diaries an older version kept beside the conclusions come into the one
// diary once: an examination in two of them is kept once with both files, a
// damaged one is told and left alone, a second run changes nothing.
void TestDiary::mergesOldDiariesOnce()
{
    QTemporaryDir own, first, second, damaged;
    DiaryEntry old = firstVersionDiary(first.path());
    DiaryEntry copy = old;
    copy.savedFiles = QStringList { second.filePath("Заключение.txt") };
    const DiaryEntry other = diaryTestEntry("bp=150/90", Monday, second.filePath("Другое.doc"));
    const PressureReading reading { 0, "Анна", Monday, 140, 90, 70 };
    {
        DiaryStore store(second.path());
        QVERIFY(store.add({ copy, other }) && store.addReadings({ reading }));
    }
    QFile garbage(damaged.filePath(DiaryStore::fileName()));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
    garbage.close();
    const QStringList folders = { first.path(), second.path(), damaged.path(), own.path(), QString() };

    const QString told = Diary(own.path()).mergeOldDiaries(folders);
    QVERIFY2(
        told.contains(QStringLiteral("%1 — обследований: 1\n%2 — обследований: 2 (уже были в дневнике: 1)")
                          .arg(DiaryPath(first), DiaryPath(second))),
        qPrintable(told));
    QVERIFY(told.contains(QStringLiteral("Не удалось перенести"))
        && told.contains(QStringLiteral("файл поврежден")));
    old.id = 1;
    old.savedFiles << copy.savedFiles;
    for (DiaryTest& test : old.tests)
        test.counted = true;
    DiaryEntry merged = other;
    merged.id = 2;
    const QList<DiaryEntry> expected = { merged, old };
    PressureReading keptReading = reading;
    keptReading.id = 1;
    for (int run = 0; run < 2; ++run) {
        DiaryStore store(own.path(), DiaryStore::Access::Read);
        QCOMPARE(store.entries(), expected);
        QCOMPARE(store.readings(), QList<PressureReading> { keptReading });
        // Only the damaged diary is tried again.
        const QString again = Diary(own.path()).mergeOldDiaries(folders);
        QVERIFY(!again.contains(DiaryPath(first)) && again.contains(DiaryPath(damaged)));
    }
    QCOMPARE(FileBytes(DiaryPath(damaged)), QByteArray(4096, 'x'));
}

// The average of the last week's readings, in whole units, and whether it is
// at or above the home threshold of 135/85.
void TestDiary::homeSeries_data()
{
    QTest::addColumn<QList<QList<int>>>("readings"); // day, systolic, diastolic, pulse (0: none)
    QTest::addColumn<QString>("series");
    QTest::newRow("just below") << QList<QList<int>> { { 0, 134, 84, 70 }, { 1, 133, 84, 0 } }
                                << "2: 134/84 pulse 70 01.03.2026–02.03.2026";
    QTest::newRow("systolic at the bound")
        << QList<QList<int>> { { 0, 135, 80, 0 } } << "1: 135/80 raised 01.03.2026–01.03.2026";
    QTest::newRow("diastolic at the bound, older week left out") << QList<QList<int>> { { -7, 180, 120, 0 },
        { 0, 120, 85, 60 }, { 6, 120, 85, 80 } } << "2: 120/85 pulse 70 raised 01.03.2026–07.03.2026";
}

void TestDiary::homeSeries()
{
    QFETCH(QList<QList<int>>, readings);
    QList<PressureReading> kept;
    for (const QList<int>& r : readings)
        kept.prepend(
            { 0, {}, Monday.addDays(r[0] - 1), r[1], r[2], r[3] ? std::optional(r[3]) : std::nullopt });
    const HomeSeries series = lastSeries(kept).value();
    QTEST(QStringLiteral("%1: %2/%3%4%5 %6–%7")
              .arg(series.count)
              .arg(series.systolic)
              .arg(series.diastolic)
              .arg(series.pulse ? QStringLiteral(" pulse %1").arg(*series.pulse) : QString(),
                  series.raised ? QStringLiteral(" raised") : QString(),
                  series.first.date().toString("dd.MM.yyyy"), series.last.date().toString("dd.MM.yyyy")),
        "series");
}

// A diary file that is no diary of ours is reported once and left as it is;
// the conclusion saved before it stays.
void TestDiary::unusableDiary_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("link"); // the diary's name links to a file elsewhere that holds the bytes
    QByteArray bytes(8192, '\0');
    for (int k = 0; k < bytes.size(); ++k)
        bytes[k] = char((k * 131 + 7) % 251);
    QTest::newRow("garbage bytes") << bytes << QStringList() << QStringLiteral("файл поврежден") << false;
    QTest::newRow("header of SQLite, then garbage")
        << QByteArray("SQLite format 3\0", 16) + bytes << QStringList() << QStringLiteral("файл поврежден")
        << false;
    QTest::newRow("someone else's database")
        << QByteArray() << QStringList { QStringLiteral("CREATE TABLE notes (text TEXT)") }
        << QStringLiteral("это не дневник обследований") << false;
    QTest::newRow("newer program's diary")
        << QByteArray()
        << QStringList { QStringLiteral("CREATE TABLE schema_version (version INTEGER)"),
               QStringLiteral("INSERT INTO schema_version VALUES (4)") }
        << QStringLiteral("записан более новой версией программы") << false;
    QTest::newRow("link to an empty file elsewhere")
        << QByteArray() << QStringList() << QStringLiteral("это символическая ссылка") << true;
}

void TestDiary::unusableDiary()
{
    QFETCH(QByteArray, garbage);
    QFETCH(QStringList, statements);
    QFETCH(QString, reason);
    QFETCH(bool, link);
    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    if (link)
        QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("target")), DiaryPath(folder)));
    if (statements.isEmpty()) {
        QFile file(DiaryPath(folder));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    } else {
        ExecSql(DiaryPath(folder), statements);
    }
    const QByteArray before = FileBytes(DiaryPath(folder));
    const QString conclusion = folder.filePath(QStringLiteral("Заключение.doc"));
    TestRecord record(Monday);
    Diary diary(folder.path());
    for (const bool firstTime : { true, false }) {
        QFile saved(conclusion);
        QVERIFY(saved.open(QIODevice::WriteOnly) && saved.write("conclusion") > 0);
        saved.close();
        const DiaryOutcome outcome = diary.keep(record, Conclusion(), QUuid(), conclusion, true);
        QVERIFY(!outcome.written);
        QVERIFY2(outcome.failure.contains(reason), qPrintable(outcome.failure));
        QVERIFY(outcome.failure.contains(QDir::toNativeSeparators(DiaryPath(folder))));
        QCOMPARE(outcome.report, firstTime);
        QCOMPARE(FileBytes(conclusion), QByteArray("conclusion"));
        QCOMPARE(FileBytes(DiaryPath(folder)), before);
    }
    DiaryStore reader(folder.path(), DiaryStore::Access::Read);
    QVERIFY(!reader.isOpen());
    QVERIFY(reader.entries().isEmpty());
}

void TestDiary::nothingWritten_data()
{
    QTest::addColumn<bool>("saveNeeded");
    QTest::addColumn<QString>("failure");
    QTest::newRow("option off") << false << QString();
    QTest::newRow("data folder cannot be made") << true << QStringLiteral("папка не найдена");
}

// Without the option nothing is written, and reading a diary that is not
// there creates none; a data folder that cannot be made is told.
void TestDiary::nothingWritten()
{
    QFETCH(bool, saveNeeded);
    QFETCH(QString, failure);
    QTemporaryDir folder;
    const QString blocked = folder.filePath(QStringLiteral("файл"));
    QVERIFY(QFile(blocked).open(QIODevice::WriteOnly));
    const QString diaryFolder = saveNeeded ? blocked + QStringLiteral("/Тессора") : folder.path();
    TestRecord record(Monday);
    const DiaryOutcome outcome
        = Diary(diaryFolder).keep(record, Conclusion(), QUuid(), folder.filePath("a.doc"), saveNeeded);
    QVERIFY(!outcome.written);
    QVERIFY2(failure.isEmpty() ? outcome.failure.isEmpty() : outcome.failure.contains(failure),
        qPrintable(outcome.failure));
    QVERIFY(DiaryStore(diaryFolder, DiaryStore::Access::Read).entries().isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList { "файл" });
}

void TestDiary::removeReading_data()
{
    QTest::addColumn<int>("row"); // of the reading deleted; -1: one that is not kept
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("failure");
    QTest::newRow("the second of three") << 1 << false << QString();
    QTest::newRow("one deleted before") << -1 << false << QStringLiteral("измерение уже удалено");
    QTest::newRow("diary that cannot be written") << 1 << true << QStringLiteral("удаление невозможно");
}

// A reading is deleted alone: the other readings and the examinations stay;
// one that cannot be deleted is told and nothing changes.
void TestDiary::removeReading()
{
    QFETCH(int, row);
    QFETCH(bool, readOnly);
    QFETCH(QString, failure);
    QTemporaryDir folder;
    QVERIFY(DiaryStore(folder.path()).add(diaryTestSeries(2, Monday)));
    QVERIFY(DiaryStore(folder.path())
                .addReadings({ { 0, "Анна", Monday, 150, 95, 80 },
                    { 0, "Анна", Monday.addSecs(60), 250, 95, 80 }, { 0, "Борис", Monday, 130, 85, {} } }));
    QList<PressureReading> readings = DiaryStore(folder.path()).readings();
    DiaryStore store(folder.path(), readOnly ? DiaryStore::Access::Read : DiaryStore::Access::Write);
    QCOMPARE(store.removeReading(row < 0 ? 0 : readings[row].id), failure.isEmpty());
    QVERIFY2(store.errorText().contains(failure), qPrintable(store.errorText()));
    if (failure.isEmpty())
        readings.removeAt(row);
    DiaryStore after(folder.path(), DiaryStore::Access::Read);
    QCOMPARE(after.readings(), readings);
    QCOMPARE(after.entries().size(), 2);
}

// The CSV file, read back as a spreadsheet reads it, holds the table's texts
// whole: Russian words, separators and quotes inside fields.
void TestDiary::csvRoundTrip()
{
    QList<DiaryEntry> entries = diaryTestSeries(6, Monday);
    entries[1].savedFiles = QStringList { QStringLiteral("Заключение \"для врача\"; копия.doc") };
    entries[2].savedFiles = QStringList { QStringLiteral(" Заключение\r\nв две строки ") };
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Дневник.csv"));
    QString error;
    QVERIFY2(writeDiaryCsv(path, entries, error), qPrintable(error));
    const QByteArray bytes = FileBytes(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));

    QList<QStringList> expected = { diaryHeaders() };
    for (const DiaryEntry& entry : entries)
        expected << diaryCells(entry);
    QCOMPARE(ReadCsv(QString::fromUtf8(bytes.mid(3))), expected);
    QVERIFY(!writeDiaryCsv(folder.filePath(QStringLiteral("нет/Дневник.csv")), entries, error));
    QVERIFY(error.contains(QStringLiteral("Не могу записать файл")));
}

// The weight chart: weight on the left, the index with its normal band on
// the right, oldest first; a weight that was out of range leaves no point.
void TestDiary::weightChart()
{
    QList<DiaryEntry> entries = {
        diaryTestEntry(QStringLiteral("weight=80 height=180"), Monday.addDays(7), QString()),
        diaryTestEntry(QStringLiteral("weight=301"), Monday.addDays(3), QString()),
        diaryTestEntry(QStringLiteral("weight=70"), Monday, QString()),
    };
    TrendChart expected;
    expected.title = QStringLiteral("Вес и индекс массы тела");
    expected.unit = QStringLiteral("кг");
    expected.secondUnit = QStringLiteral("ИМТ");
    expected.lines = {
        { QStringLiteral("Вес"),
            { { Monday, 70, QStringLiteral("02.03.2026 09:15\nВес: 70 кг") },
                { Monday.addDays(7), 80, QStringLiteral("09.03.2026 09:15\nВес: 80 кг") } },
            false },
        { QStringLiteral("ИМТ"),
            { { Monday, 70.0 / (170.0 * 170.0) * 10000, QStringLiteral("02.03.2026 09:15\nИМТ: 24,2") },
                { Monday.addDays(7), 80.0 / (180.0 * 180.0) * 10000,
                    QStringLiteral("09.03.2026 09:15\nИМТ: 24,7") } },
            true },
    };
    expected.bands = { { QStringLiteral("ИМТ 18,5–30,0 — границы правил программы"), 18.5, 30.0, true, 1 } };
    expected.range = { 69, 81 };
    expected.secondRange = { 17, 32 };
    QCOMPARE(trendChart(TrendKind::Weight, entries), expected);
}

// The labels of the time axis tell the examinations apart: hours within a
// day, dates over days; one day spreads over at least an hour.
void TestDiary::timeAxis_data()
{
    QTest::addColumn<QList<int>>("minutes");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("spanMinutes");
    const int day = 24 * 60;
    QTest::newRow("four of one day") << QList<int> { 0, 5, 10, 15 } << "HH:mm"
                                     << "02.03.2026" << 66;
    QTest::newRow("two share a day") << QList<int> { 0, 20, 3 * day } << "dd.MM HH:mm" << QString()
                                     << 3 * day * 11 / 10;
    QTest::newRow("one a day") << QList<int> { 0, 2 * day } << "dd.MM.yy" << QString() << 2 * day * 11 / 10;
}

void TestDiary::timeAxis()
{
    QFETCH(QList<int>, minutes);
    QFETCH(QString, format);
    QFETCH(QString, title);
    QFETCH(int, spanMinutes);
    QList<DiaryEntry> entries;
    for (int minute : minutes)
        entries.prepend(diaryTestEntry(QString(), Monday.addSecs(minute * 60), QString()));
    const TimeAxis axis = trendTimeAxis(entries);
    QCOMPARE(axis.format, format);
    QCOMPARE(axis.title, title);
    QCOMPARE(axis.first.secsTo(axis.last) / 60, spanMinutes);
    QVERIFY(axis.first < entries.last().moment && axis.last > entries.first().moment);
}

QTEST_GUILESS_MAIN(TestDiary)
#include "tst_diary.moc"
