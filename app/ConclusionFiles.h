#pragma once

#include <QString>

// Where saved conclusions go in the report folder.
namespace ConclusionFiles {

// "<folder>/<name>.doc"; when a file of that name exists already, the first
// free "<name> (2).doc", "<name> (3).doc", ...: two conclusions saved within
// the same minute both stay.
QString FreeFileName(const QString& folder, const QString& name);

// Whether two folder paths name the same folder: the same text once both are
// absolute and clean (case counts), or the same folder after links resolve.
bool SameFolder(const QString& first, const QString& second);

} // namespace ConclusionFiles
