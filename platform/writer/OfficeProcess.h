#pragma once

#include <QString>

// Starting and ending the office process behind "Word.Application". The
// process is started detached in a session of its own, so that it can outlive
// the program (as a running instance) and can still be ended as a whole.
struct OfficeStartOptions {
    QString program; // the office launcher, e.g. /usr/bin/soffice
    QString pipeName; // the UNO pipe the office accepts connections on
    QString profileUrl; // user installation as a file URL; empty: the user's own
    bool headless = true;
    int startTimeoutMs = 30000;
};

class OfficeProcess {
public:
    // Starts the office; false with a reason when the program cannot be run.
    static bool start(const OfficeStartOptions& options, qint64* pid, QString* error);
    static bool isRunning(qint64 pid);
    // Kills the process group the office runs in.
    static void kill(qint64 pid);
    // Waits (bounded) for the process to end.
    static bool waitForEnd(qint64 pid, int timeoutMs);
};
