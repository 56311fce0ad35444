#include "platform/writer/OfficeProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int BackgroundNice = 10;

// The launcher's own folder, where the office keeps its libraries.
QString programFolder(const QString& launcher)
{
    return QFileInfo(QFileInfo(launcher).canonicalFilePath()).absolutePath();
}

QStringList officeArguments(const OfficeStartOptions& options)
{
    QStringList args;
    if (options.headless)
        args << QStringLiteral("--headless");
    args << QStringLiteral("--invisible") << QStringLiteral("--norestore") << QStringLiteral("--nologo")
         << QStringLiteral("--nodefault") << QStringLiteral("--nolockcheck")
         << QStringLiteral("--accept=pipe,name=%1;urp;").arg(options.pipeName);
    if (!options.profileUrl.isEmpty())
        args << QStringLiteral("-env:UserInstallation=%1").arg(options.profileUrl);
    return args;
}

// The launcher script only sets the environment below and runs a splash
// program, which would stand between the program and the office and leave
// the office behind when it is killed; the office binary beside the
// launcher is started directly instead.
QString officeBinary(const QString& launcher)
{
    const QFileInfo binary(programFolder(launcher) + QStringLiteral("/soffice.bin"));
    if (QFileInfo(QFileInfo(launcher).canonicalFilePath()).fileName() == QLatin1String("soffice")
        && binary.isExecutable())
        return binary.filePath();
    return launcher;
}

// What the office says when it cannot start (a display it may not use) is
// kept in its own profile, to be told when it ends at once.
QString errorLog(const OfficeStartOptions& options)
{
    const QString profile = QUrl(options.profileUrl).toLocalFile();
    return profile.isEmpty() ? QProcess::nullDevice() : profile + QStringLiteral("/start-errors.txt");
}

} // namespace

QString OfficeProcess::startError(const OfficeStartOptions& options)
{
    QFile log(errorLog(options));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = log.read(64 * 1024).split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line)
        if (!line->trimmed().isEmpty() && !line->contains("javaldx"))
            return QString::fromLocal8Bit(line->trimmed());
    return {};
}

std::unique_ptr<QProcess> OfficeProcess::startChild(const OfficeStartOptions& options, QString* error)
{
    const QFileInfo program(options.program);
    if (!program.exists() || !program.isExecutable()) {
        *error = QStringLiteral("Программа %1 не найдена").arg(options.program);
        return nullptr;
    }
    auto process = std::make_unique<QProcess>();
    process->setProgram(officeBinary(options.program));
    process->setArguments(officeArguments(options));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SAL_ENABLE_FILE_LOCKING"), QStringLiteral("1"));
    // Writer's own menus and prompts in the program's language, when its
    // Russian language pack is installed; formats follow the user's locale.
    // The office reads the name only, so the system needs no such locale.
    environment.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("ru_RU.UTF-8"));
    process->setProcessEnvironment(environment);
    // Whoever reads the program's output (a terminal, a test runner's pipe)
    // must not wait for the office too.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(errorLog(options));
    const pid_t parent = ::getpid();
    const bool lowPriority = options.lowPriority;
    process->setChildProcessModifier([parent, lowPriority] {
        ::setsid();
        if (lowPriority)
            ::setpriority(PRIO_PROCESS, 0, BackgroundNice);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The program may have ended before the signal was asked for.
        if (::getppid() != parent)
            ::_exit(1);
    });
    process->start();
    if (!process->waitForStarted()) {
        *error = QStringLiteral("Не удалось запустить %1").arg(options.program);
        return nullptr;
    }
    return process;
}

bool OfficeProcess::start(const OfficeStartOptions& options, qint64* pid, QString* error)
{
    const QFileInfo program(options.program);
    if (!program.exists() || !program.isExecutable()) {
        *error = QStringLiteral("Программа %1 не найдена").arg(options.program);
        return false;
    }
    // setsid puts the launcher and the office it starts into one process group
    // of their own, which kill() can end together; the office outlives the
    // program like one the user started.
    const QString setsid = QStandardPaths::findExecutable(QStringLiteral("setsid"));
    QStringList args = officeArguments(options);
    QString command = options.program;
    if (!setsid.isEmpty()) {
        args.prepend(options.program);
        command = setsid;
    }
    if (!QProcess::startDetached(command, args, QString(), pid)) {
        *error = QStringLiteral("Не удалось запустить %1").arg(options.program);
        return false;
    }
    return true;
}

bool OfficeProcess::isRunning(qint64 pid)
{
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) != 0)
        return false;
    // A detached process that ended may linger as a zombie until it is reaped.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}

void OfficeProcess::kill(qint64 pid)
{
    if (pid <= 0)
        return;
    ::kill(-static_cast<pid_t>(pid), SIGKILL);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
}

bool OfficeProcess::waitForEnd(qint64 pid, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (isRunning(pid)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

void OfficeProcess::setNormalPriority(qint64 pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(task.toLongLong()), 0);
}

QString OfficeProcess::makeProfileFolder(const QString& folder)
{
    if (QDir().mkpath(folder)) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return {};
    }
    // What stands in the way: the nearest part of the path that exists.
    QFileInfo part(folder);
    while (!part.exists() && !part.isRoot())
        part.setFile(part.absolutePath());
    const QString why = !part.isDir() ? QStringLiteral("%1 — файл, а не папка").arg(part.filePath())
        : !part.isWritable()          ? QStringLiteral("нет права записи в папку %1").arg(part.filePath())
                                      : QStringLiteral("система отказала");
    return QStringLiteral("Не могу создать папку %1 для настроек текстового редактора: %2.").arg(folder, why);
}

bool OfficeProcess::canShowWindows(const QString& launcher)
{
    return !QDir(programFolder(launcher)).entryList({ QStringLiteral("libvclplug_*") }, QDir::Files).isEmpty();
}
