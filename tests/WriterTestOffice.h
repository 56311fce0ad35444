#pragma once

#include "platform/writer/OfficeProcess.h"
#include "platform/writer/WriterServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

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

private:
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
