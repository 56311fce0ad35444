#pragma once

#include <QString>

// Why a file could not be written into a folder, told in Russian from what the
// folder is like now: gone, read-only, on a full disk, or none of these.
namespace WriteFailure {

// "папки больше нет, ...", "в папку нельзя записывать ...", "на диске нет места", ...
QString reason(const QString& folder);

} // namespace WriteFailure
