#pragma once

#include <QString>

#include <memory>

class QProcess;

// Starting and ending the office process behind "Word.Application".
struct OfficeStartOptions {
    QString program; // the office launcher, e.g. /usr/bin/soffice
    QString pipeName; // the UNO pipe the office accepts connections on
    QString profileUrl; // user installation as a file URL; empty: the user's own
    bool headless = true;
    // Started ahead of need: it must not slow down what the user does meanwhile.
    bool lowPriority = false;
    int startTimeoutMs = 30000;
};

class OfficeProcess {
public:
    // Starts the office as the program's own child: in a session of its own,
    // with its own (discarded) output, and ended by the kernel when the thread
    // that started it, in practice the program, ends, however it ends. Null
    // with a reason when the program cannot be run.
    static std::unique_ptr<QProcess> startChild(const OfficeStartOptions& options, QString* error);
    // The last thing a child office said on its error output, for a start
    // that failed.
    static QString startError(const OfficeStartOptions& options);
    // Starts the office detached, as a user starts one of their own: it
    // outlives the program. False with a reason when it cannot be run.
    static bool start(const OfficeStartOptions& options, qint64* pid, QString* error);
    static bool isRunning(qint64 pid);
    // Kills the process group the office runs in.
    static void kill(qint64 pid);
    // Waits (bounded) for the process to end.
    static bool waitForEnd(qint64 pid, int timeoutMs);
    // Gives every thread of a process started at low priority the normal one
    // again, where the system lets the program raise it.
    static void setNormalPriority(qint64 pid);
    // Makes the profile folder (mode 0700) that the office will fill; the
    // reason in Russian when it cannot be made, empty when it is there.
    static QString makeProfileFolder(const QString& folder);
    // Whether the office beside this launcher can open windows: the build
    // without windows (libreoffice-writer-nogui) has no window plugins.
    static bool canShowWindows(const QString& launcher);
};
