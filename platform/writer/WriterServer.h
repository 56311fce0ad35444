#pragma once

#include "platform/automation/OleServer.h"

#include <QCoreApplication>
#include <QString>

// The automation server "Word.Application" on LibreOffice Writer. The
// program registers it once at start-up; CreateOleObject and
// GetActiveOleObject then reach it by its programmatic identifier.
namespace WriterServer {

struct Settings {
    // The office launcher.
    QString officeProgram = QStringLiteral("/usr/lib/libreoffice/program/soffice");
    // The UNO pipe of the program's office; a running instance is an office
    // listening on it. Each program instance has its own, so that two never
    // share an office.
    QString pipeName = QStringLiteral("tessora_pro_%1").arg(QCoreApplication::applicationPid());
    // The office's user profile as a folder; empty for one that this program
    // instance holds alone (never the user's own, which a Writer they run uses).
    QString profileFolder;
    // Started offices run headless; by default exactly when the program has
    // no screen to show windows on.
    enum class Headless { Auto, Yes, No } headless = Headless::Auto;
    int startTimeoutMs = 30000;
};

void Register();
// What Register enters for the identifier, for the plugin that serves it; the
// program's office connection is let go when the application object goes.
Automation::ClassFactory Factory();
void setSettings(const Settings& settings);
Settings settings();

// Starts the program's office in the background, at low priority, so that
// a report asked for later finds it running. Quiet: a start that fails is
// told only when a report asks for the office.
void prepare();

// The profile folder that this program instance holds alone: the first of
// the program's profiles below cacheFolder that no other running instance
// holds. Kept for the rest of the run.
QString instanceProfile(const QString& cacheFolder);

// Ends an office that this program started and still holds, and forgets
// the instance; for the end of tests and of the program (Register arranges
// the call when the application object goes).
void shutdown();
// The process id of the office this program started, 0 when none.
qint64 startedOfficePid();

} // namespace WriterServer
