#pragma once

#include "platform/writer/OfficeProcess.h"
#include "platform/writer/WriterServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>

#include <csignal>
#include <unistd.h>

// Gives a test its own office: a pipe and a user profile nobody else uses,
// and the guarantee that the office this test started ends with the test,
// also when a check fails or the test crashes.
class WriterTestOffice {
public:
    explicit WriterTestOffice(const QString& name)
    {
        WriterServer::Settings settings;
        settings.pipeName = QStringLiteral("tessora_%1_%2").arg(name).arg(QCoreApplication::applicationPid());
        settings.profileFolder = m_profile.path();
        settings.headless = WriterServer::Settings::Headless::Yes;
        settings.startTimeoutMs = 60000;
        WriterServer::setSettings(settings);
        WriterServer::Register();
        for (int signalNumber : { SIGSEGV, SIGABRT, SIGTERM, SIGINT })
            std::signal(signalNumber, &WriterTestOffice::onCrash);
    }
    ~WriterTestOffice() { end(); }

    // Call after the office was started to arm the crash guard.
    static void remember() { s_pid = WriterServer::startedOfficePid(); }
    static void end()
    {
        WriterServer::shutdown();
        s_pid = 0;
    }
    QString pipeName() const { return WriterServer::settings().pipeName; }

    // Stops the office and returns once every thread of it stopped: a thread
    // takes SIGSTOP only when it next runs, so on a loaded machine the office
    // answers calls for a while after kill() returned.
    static bool stop(qint64 pid)
    {
        ::kill(static_cast<pid_t>(pid), SIGSTOP);
        const QDeadlineTimer deadline(30000);
        while (!allThreadsStopped(pid) && !deadline.hasExpired())
            QThread::msleep(10);
        return allThreadsStopped(pid);
    }

private:
    static bool allThreadsStopped(qint64 pid)
    {
        const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
        const QStringList threads = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        return !threads.isEmpty() && std::all_of(threads.begin(), threads.end(), [&](const QString& thread) {
            QFile stat(tasks.filePath(thread + QStringLiteral("/stat")));
            if (!stat.open(QIODevice::ReadOnly))
                return true; // ended meanwhile
            const QByteArray line = stat.readAll();
            return line.mid(line.lastIndexOf(')') + 2, 1) == "T";
        });
    }

    static void onCrash(int signalNumber)
    {
        if (s_pid > 0)
            OfficeProcess::kill(s_pid);
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
    }

    QTemporaryDir m_profile;
    static inline qint64 s_pid = 0;
};
