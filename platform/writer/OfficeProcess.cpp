#include "platform/writer/OfficeProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

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

} // namespace

bool OfficeProcess::start(const OfficeStartOptions& options, qint64* pid, QString* error)
{
    const QFileInfo program(options.program);
    if (!program.exists() || !program.isExecutable()) {
        *error = QStringLiteral("Программа %1 не найдена").arg(options.program);
        return false;
    }
    // setsid puts the launcher and the office it starts into one process group
    // of their own, which kill() can end together.
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
