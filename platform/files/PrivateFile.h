#pragma once

#include <QByteArray>
#include <QString>

// Files and folders that hold a person's health data are readable by their
// owner only, whatever the umask says; what the user made keeps its mode.
namespace PrivateFile {

// Creates the folder (one level, its parent must exist) with mode 0700.
// True when the folder exists afterwards; an existing one is left as it is.
bool makeFolder(const QString& path);
// The same for the folder and every missing folder above it.
bool makePath(const QString& path);

// Writes a new file of mode 0600; fails when the name is taken (by a link too).
bool writeNew(const QString& path, const QByteArray& bytes);

// Creates an empty file of mode 0600 unless the name is taken; true when a
// regular file of that name exists afterwards.
bool ensureFile(const QString& path);

// Gives an existing file mode 0600.
bool restrict(const QString& path);

// Whether the name itself is a symbolic link (not followed).
bool isLink(const QString& path);

} // namespace PrivateFile
