// Start-up of the program beside a bare Qt window with a menu and a status
// bar: both run alternately until their window has been painted for the first
// time, on an X server of their own where Xvfb is installed.
#include "tests/BenchFigures.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <spawn.h>
#include <ctime>
#include <sys/wait.h>

extern char** environ;

namespace {

struct StartFigures {
    BenchFigures wallMs;
    BenchFigures cpuMs;
    BenchFigures peakMiB;
    BenchFigures sharedObjects;
};

qint64 MonotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// One start of the program to its first painted window, as the program's own
// start probe reports it; the reason of a failed run, otherwise empty.
QString StartOnce(const QString& program, StartFigures& figures)
{
    QTemporaryDir folder;
    const QByteArray errors = folder.filePath(QStringLiteral("stderr")).toLocal8Bit();
    const QByteArray path = program.toLocal8Bit();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    char* argv[] = { const_cast<char*>(path.constData()), nullptr };
    const qint64 spawnedAt = MonotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return QStringLiteral("%1 does not start").arg(program);
    int status = 0;
    waitpid(pid, &status, 0);
    QFile output(QString::fromLocal8Bit(errors));
    output.open(QIODevice::ReadOnly);
    const QString text = QString::fromLocal8Bit(output.readAll());
    const auto probe = QRegularExpression(QStringLiteral(
        "start probe: monotonic (\\d+) ns, cpu (\\d+) us, peak (\\d+) KiB, shared objects loaded: (\\d+)"))
                           .match(text);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !probe.hasMatch())
        return QStringLiteral("%1 ended with status %2: %3").arg(program).arg(status).arg(text);
    figures.wallMs.add((probe.captured(1).toLongLong() - spawnedAt) / 1e6);
    figures.cpuMs.add(probe.captured(2).toLongLong() / 1e3);
    figures.peakMiB.add(probe.captured(3).toDouble() / 1024);
    figures.sharedObjects.add(probe.captured(4).toInt());
    return {};
}

// An X server for the two programs alone, so that "shown" means drawn on a
// real display; without Xvfb they run on Qt's offscreen platform. The
// platform's name, or empty when the server does not start.
QString StartDisplay(QProcess& server)
{
    server.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
            QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1366x768x24") });
    if (!server.waitForStarted(5000)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return QStringLiteral("offscreen (no Xvfb)");
    }
    while (!server.canReadLine() && server.waitForReadyRead(10000)) { }
    const QByteArray display = server.readLine().trimmed();
    if (display.isEmpty())
        return {};
    qputenv("DISPLAY", ":" + display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    return QStringLiteral("Xvfb :%1").arg(QString::fromLatin1(display));
}

void PrintRatio(const char* what, const BenchFigures& ours, const BenchFigures& bare, double goal)
{
    qInfo("%s, program / bare window: %.2f (goal at most %.1f)", what, ours.median() / bare.median(), goal);
}

} // namespace

class BenchStartup : public QObject {
    Q_OBJECT

private slots:
    void programBesideBareWindow();
};

void BenchStartup::programBesideBareWindow()
{
    constexpr int Runs = 11;
    const QString folder = QCoreApplication::applicationDirPath();
    const QString programs[] { folder + QStringLiteral("/TessoraPro"),
        folder + QStringLiteral("/bare_window") };
    qputenv("TESSORA_START_PROBE", "1");
    QProcess server;
    const QString platform = StartDisplay(server);
    QVERIFY2(!platform.isEmpty(), "Xvfb started but named no display");
    qInfo("both programs show their window on %s", qPrintable(platform));
    StartFigures figures[2];
    // The first start of each fills the file cache; it is not counted.
    for (int run = 0; run <= Runs; ++run) {
        for (int which : { 0, 1 }) {
            StartFigures scratch;
            const QString failure = StartOnce(programs[which], run == 0 ? scratch : figures[which]);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
    }
    const char* names[] { "program", "bare window" };
    for (int which : { 0, 1 }) {
        const StartFigures& f = figures[which];
        qInfo("%s, start to the first painted window, wall time: %s", names[which],
            qPrintable(f.wallMs.text(QStringLiteral("ms"), 1)));
        qInfo("%s, CPU time (user + system) to that point: %s", names[which],
            qPrintable(f.cpuMs.text(QStringLiteral("ms"), 1)));
        qInfo("%s, peak resident memory at that point (no office started): %s", names[which],
            qPrintable(f.peakMiB.text(QStringLiteral("MiB"), 1)));
        qInfo("%s, shared objects loaded at that point: %s", names[which],
            qPrintable(f.sharedObjects.text(QString())));
    }
    PrintRatio("wall time", figures[0].wallMs, figures[1].wallMs, 1.2);
    PrintRatio("CPU time", figures[0].cpuMs, figures[1].cpuMs, 1.3);
    PrintRatio("peak memory", figures[0].peakMiB, figures[1].peakMiB, 1.2);
    server.terminate();
    server.waitForFinished();
}

QTEST_GUILESS_MAIN(BenchStartup)
#include "bench_startup.moc"
