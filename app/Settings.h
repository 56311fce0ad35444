#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The program's persistent per-user settings, kept by QSettings for the
// organisation TessoraPro: the registry key Software\TessoraPro on Windows,
// ~/.config/TessoraPro.conf on Linux. Every access opens the store anew and
// closes it right after. A damaged store reads as missing values and is
// rewritten by the next change; it never stops the program.
namespace UserSettings {

// The longest value taken: what a path can be (PATH_MAX). A longer one reads
// as missing and is told through the reader's problem handler.
inline constexpr int MaxValueBytes = 4096;
using ProblemHandler = std::function<void(const QString& text)>;

// False only when the store exists but cannot be read.
bool IsAvailable();

// "ReportPath": the folder for saved conclusions, as stored; empty when the
// value is missing or is not a single text.
QString ReportPath(const ProblemHandler& tell = {});
void SetReportPath(const QString& folder);

// "SaveNeeded": written as "Yes" or "No"; only the exact text "Yes" reads as true.
bool SaveNeeded(const ProblemHandler& tell = {});
void SetSaveNeeded(bool needed);

// A window's size and its dividers as Qt saves them ("Windows/<name>"); empty
// while none is stored.
QByteArray WindowState(const QString& name);
void SetWindowState(const QString& name, const QByteArray& state);

} // namespace UserSettings
