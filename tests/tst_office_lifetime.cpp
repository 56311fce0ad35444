#include "platform/automation/Automation.h"
#include "platform/automation/WordTypeLib.h"
#include "platform/writer/CallLimit.h"
#include "platform/writer/OfficeProcess.h"
#include "platform/writer/WriterServer.h"
#include "tests/WriterTestOffice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace Automation;

namespace {

// Run as a child of the test (see main): starts the program's office, writes
// its process id to the file named here, then waits to be killed or, when
// asked to, kills itself once a file "die" appears beside that file.
constexpr char PidFileVariable[] = "TESSORA_OFFICE_PID_FILE";
constexpr char DieVariable[] = "TESSORA_DIE_ON_REQUEST";
// Set: the held office has the pipe and profile every program instance has.
constexpr char InstanceVariable[] = "TESSORA_AS_AN_INSTANCE";

int holdOffice(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    WriterTestOffice office(QStringLiteral("held"));
    // A profile that the test removes, as this process does not live to.
    const QString pidFileName = qEnvironmentVariable(PidFileVariable);
    WriterServer::Settings settings = WriterServer::settings();
    settings.profileFolder = QFileInfo(pidFileName).dir().filePath(QStringLiteral("profile"));
    if (qEnvironmentVariableIsSet(InstanceVariable)) {
        settings.pipeName = WriterServer::Settings().pipeName;
        settings.profileFolder.clear();
    }
    WriterServer::setSettings(settings);
    const Variant word(CreateOleObject(QStringLiteral("Word.Application")));
    word.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), Variant::Omitted());
    QFile pidFile(pidFileName);
    if (!pidFile.open(QIODevice::WriteOnly))
        return 2;
    pidFile.write(QByteArray::number(WriterServer::startedOfficePid()));
    pidFile.close();
    std::puts("office started");
    std::fflush(stdout);
    const QString dieFile = QFileInfo(pidFileName).dir().filePath(QStringLiteral("die"));
    for (;;) {
        if (qEnvironmentVariableIsSet(DieVariable) && QFile::exists(dieFile))
            std::raise(SIGKILL);
        QThread::msleep(50);
    }
}

// What a failing call said and how long it took to fail.
template <class F> std::pair<QString, qint64> TimedFailure(F call)
{
    QElapsedTimer timer;
    timer.start();
    try {
        call();
    } catch (const EOleError& e) {
        return { e.Message(), timer.elapsed() };
    }
    return { QString(), timer.elapsed() };
}

qint64 readPid(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toLongLong() : 0;
}

} // namespace

class TestOfficeLifetime : public QObject {
    Q_OBJECT

private slots:
    void officeEndsWithTheProgram_data();
    void officeEndsWithTheProgram();
    void stoppedOfficeFailsTheCallInTime();
    void failedStartIsToldInTime_data();
    void failedStartIsToldInTime();
    void instancesNeverShareAnOffice();
};

void TestOfficeLifetime::officeEndsWithTheProgram_data()
{
    QTest::addColumn<bool>("underCtest");
    QTest::newRow("program killed by another process") << false;
    QTest::newRow("test killed under ctest, which returns") << true;
}

void TestOfficeLifetime::officeEndsWithTheProgram()
{
    QFETCH(bool, underCtest);
    QTemporaryDir folder;
    const QString pidFile = folder.filePath(QStringLiteral("office.pid"));
    const QString self = QCoreApplication::applicationFilePath();
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    if (underCtest) {
        const QString ctest = QStandardPaths::findExecutable(QStringLiteral("ctest"));
        if (ctest.isEmpty())
            QSKIP("ctest is not installed");
        QFile testFile(folder.filePath(QStringLiteral("CTestTestfile.cmake")));
        QVERIFY(testFile.open(QIODevice::WriteOnly));
        testFile.write(QStringLiteral("add_test(held \"%1\")\n"
                                      "set_tests_properties(held PROPERTIES TIMEOUT 300 ENVIRONMENT "
                                      "\"%2=%3;%4=1\")\n")
                           .arg(self, QLatin1String(PidFileVariable), pidFile, QLatin1String(DieVariable))
                           .toUtf8());
        testFile.close();
        run.setWorkingDirectory(folder.path());
        run.start(ctest, { QStringLiteral("--output-on-failure") });
    } else {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(PidFileVariable), pidFile);
        run.setProcessEnvironment(environment);
        run.start(self);
    }
    QVERIFY(run.waitForStarted());
    const auto cleanUp = qScopeGuard([&] {
        OfficeProcess::kill(readPid(pidFile));
        run.kill();
        run.waitForFinished();
    });
    QVERIFY2(
        QTest::qWaitFor([&] { return readPid(pidFile) > 0 || run.state() == QProcess::NotRunning; }, 120000),
        run.readAll().constData());
    const qint64 office = readPid(pidFile);
    QVERIFY2(office > 0, run.readAll().constData());
    QVERIFY(OfficeProcess::isRunning(office));
    if (underCtest) {
        QFile die(folder.filePath(QStringLiteral("die")));
        QVERIFY(die.open(QIODevice::WriteOnly));
    } else {
        ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
    }
    // Neither the program's death nor its output pipe is held up by the office.
    QVERIFY2(run.waitForFinished(10000), run.readAll().constData());
    QVERIFY(QTest::qWaitFor([office] { return !OfficeProcess::isRunning(office); }, 5000));
}

void TestOfficeLifetime::stoppedOfficeFailsTheCallInTime()
{
    WriterTestOffice office(QStringLiteral("stopped"));
    constexpr int LimitMs = 3000;
    const int callMs = CallLimit::callMs();
    const int saveMs = CallLimit::saveMs();
    CallLimit::setLimits(LimitMs, LimitMs);
    const auto restore = qScopeGuard([&] { CallLimit::setLimits(callMs, saveMs); });

    Variant word(CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    const Variant documents = word.get(QStringLiteral("Documents"));
    documents.call(QStringLiteral("Add"), Variant::Omitted());
    const qint64 pid = WriterServer::startedOfficePid();
    QVERIFY(WriterTestOffice::stop(pid));
    const auto resume = qScopeGuard([pid] { ::kill(static_cast<pid_t>(pid), SIGCONT); });

    const auto [error, elapsed] = TimedFailure([&] { documents.get(QStringLiteral("Count")); });
    QCOMPARE(error, QStringLiteral("Ошибка при обращении к «Count»: Текстовый редактор не отвечает"));
    QVERIFY2(elapsed >= LimitMs && elapsed < LimitMs + 10000, qPrintable(QString::number(elapsed)));
    // The office is lost: the next request starts a fresh one.
    QVERIFY(OfficeProcess::waitForEnd(pid, 5000));
    word.clear();
    const Variant fresh(CreateOleObject(QStringLiteral("Word.Application")));
    WriterTestOffice::remember();
    QVERIFY(WriterServer::startedOfficePid() != pid);
    QCOMPARE(fresh.get(QStringLiteral("Documents")).get(QStringLiteral("Count")).toInt(), 0);
}

void TestOfficeLifetime::failedStartIsToldInTime_data()
{
    QTest::addColumn<bool>("stopped"); // else the profile folder cannot be made
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("withinMs");
    QTest::newRow("head start stopped before the report")
        << true << QStringLiteral("не ответил за 3 с при подключении к нему") << 3000 + 5000;
    QTest::newRow("profile folder that cannot be made")
        << false << QStringLiteral("cache — файл, а не папка") << 2000;
}

void TestOfficeLifetime::failedStartIsToldInTime()
{
    QFETCH(bool, stopped);
    QFETCH(QString, told);
    QFETCH(int, withinMs);
    WriterTestOffice office(QStringLiteral("failing"));
    const int callMs = CallLimit::callMs();
    const int saveMs = CallLimit::saveMs();
    CallLimit::setLimits(3000, 3000);
    const auto restore = qScopeGuard([&] { CallLimit::setLimits(callMs, saveMs); });
    QTemporaryDir folder;
    if (!stopped) {
        QFile cache(folder.filePath(QStringLiteral("cache")));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        WriterServer::Settings settings = WriterServer::settings();
        settings.profileFolder = cache.fileName() + QStringLiteral("/TessoraPro/office-1");
        WriterServer::setSettings(settings);
    }
    WriterServer::prepare();
    qint64 pid = 0;
    if (stopped) {
        QVERIFY(QTest::qWaitFor([&] { return (pid = WriterServer::startedOfficePid()) > 0; }, 60000));
        QVERIFY(WriterTestOffice::stop(pid));
    }
    const auto resume = qScopeGuard([pid] { ::kill(static_cast<pid_t>(pid), SIGCONT); });

    const auto [error, elapsed] = TimedFailure([] { CreateOleObject(QStringLiteral("Word.Application")); });
    QVERIFY2(error.contains(told), qPrintable(error));
    QVERIFY2(elapsed < withinMs, qPrintable(QString::number(elapsed)));
}

void TestOfficeLifetime::instancesNeverShareAnOffice()
{
    QTemporaryDir folder;
    const QString pidFile = folder.filePath(QStringLiteral("office.pid"));
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(PidFileVariable), pidFile);
    environment.insert(QLatin1String(InstanceVariable), QStringLiteral("1"));
    other.setProcessEnvironment(environment);
    other.setProcessChannelMode(QProcess::MergedChannels);
    other.start(QCoreApplication::applicationFilePath());
    const auto cleanUp = qScopeGuard([&] {
        OfficeProcess::kill(readPid(pidFile));
        other.kill();
        other.waitForFinished();
    });
    QVERIFY2(QTest::qWaitFor([&] { return readPid(pidFile) > 0 || other.state() == QProcess::NotRunning; }, 120000),
        other.readAll().constData());

    // This instance, with the same settings, sees no office running.
    const WriterServer::Settings saved = WriterServer::settings();
    WriterServer::Settings instance;
    instance.headless = WriterServer::Settings::Headless::Yes;
    WriterServer::setSettings(instance);
    WriterServer::Register();
    const auto restore = qScopeGuard([&] { WriterServer::setSettings(saved); });
    ComPtr<IUnknown> running;
    QCOMPARE(GetActiveObject(Word::CLSID_Application, running), MK_E_UNAVAILABLE);
    const QString cache
        = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/TessoraPro");
    QCOMPARE(WriterServer::instanceProfile(cache), QDir(cache).filePath(QStringLiteral("office-2")));
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(PidFileVariable))
        return holdOffice(argc, argv);
    QCoreApplication app(argc, argv);
    TestOfficeLifetime test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_office_lifetime.moc"
