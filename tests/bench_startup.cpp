// Start-up of the program beside a bare Qt window with a menu and a status
// bar: both run alternately until the first pass of their event loop.
#include "tests/BenchFigures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct StartFigures {
    BenchFigures wallMs;
    BenchFigures cpuMs;
    BenchFigures peakMiB;
    BenchFigures sharedObjects;
};

// One start of the program to its first event-loop pass; the reason of a
// failed run, otherwise empty.
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
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return QStringLiteral("%1 does not start").arg(program);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    const double wallMs = timer.nsecsElapsed() / 1e6;
    QFile output(QString::fromLocal8Bit(errors));
    output.open(QIODevice::ReadOnly);
    const QString text = QString::fromLocal8Bit(output.readAll());
    const auto loaded = QRegularExpression(QStringLiteral("shared objects loaded: (\\d+)")).match(text);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !loaded.hasMatch())
        return QStringLiteral("%1 ended with status %2: %3").arg(program).arg(status).arg(text);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    figures.wallMs.add(wallMs);
    figures.cpuMs.add(ms(usage.ru_utime) + ms(usage.ru_stime));
    figures.peakMiB.add(usage.ru_maxrss / 1024.0);
    figures.sharedObjects.add(loaded.captured(1).toInt());
    return {};
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
        qInfo("%s, start to the first pass of the event loop, wall time: %s", names[which],
            qPrintable(f.wallMs.text(QStringLiteral("ms"), 1)));
        qInfo("%s, CPU time (user + system) of that start: %s", names[which],
            qPrintable(f.cpuMs.text(QStringLiteral("ms"), 1)));
        qInfo("%s, peak resident memory at that point (no office started): %s", names[which],
            qPrintable(f.peakMiB.text(QStringLiteral("MiB"), 1)));
        qInfo("%s, shared objects loaded at that point: %s", names[which],
            qPrintable(f.sharedObjects.text(QString())));
    }
    PrintRatio("wall time", figures[0].wallMs, figures[1].wallMs, 1.2);
    PrintRatio("CPU time", figures[0].cpuMs, figures[1].cpuMs, 1.3);
    PrintRatio("peak memory", figures[0].peakMiB, figures[1].peakMiB, 1.2);
}

QTEST_GUILESS_MAIN(BenchStartup)
#include "bench_startup.moc"
