#pragma once

#include <QString>

// Where saved conclusions go in the report folder, and how a save reaches
// its name: written under a temporary name first and named only when complete,
// so that a failed save never leaves a file that looks like a conclusion.
namespace ConclusionFiles {

// "<folder>/<name>.doc"; when a file of that name exists already, or the
// office's lock of one (".~lock.<file>#"), the first free "<name> (2).doc",
// "<name> (3).doc", ...: two conclusions saved within the same minute both stay.
QString FreeFileName(
    const QString& folder, const QString& name, const QString& suffix = QStringLiteral(".doc"));

// A new hidden name in the folder, ".~Тессора-<process>-<n>.doc", that a save
// is written to before it is complete.
QString TemporaryFileName(const QString& folder);

// Gives a complete temporary file the first free name from FreeFileName and
// mode 0600. Never replaces a file, also one that another program instance
// names at the same moment. Returns the file, or an empty text on failure.
QString Publish(const QString& temporary, const QString& folder, const QString& name);

// Removes what a failed save wrote: the temporary file and the office's lock of it.
void Discard(const QString& temporary);

// Removes what saves left behind: the temporary files and their locks of
// program instances that no longer run (killed while saving) and of this one
// (whose office was lost), and the office's own temporary files that no
// process holds open. Called before this instance saves.
void RemoveStale(const QString& folder);

// Whether two folder paths name the same folder: the same text once both are
// absolute and clean (case counts), or the same folder after links resolve.
bool SameFolder(const QString& first, const QString& second);

} // namespace ConclusionFiles
