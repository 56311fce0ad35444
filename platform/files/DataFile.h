#pragma once

#include <QByteArray>
#include <QString>

// Reading one shipped data file: only a regular file is opened (a named pipe
// or a device in its place would block or never end), and at most a given
// number of bytes is read, so that an oversized file costs bounded time and
// memory.
namespace DataFile {

enum class Status {
    Read, // the whole file
    Cut, // the file is larger than the limit; bytes holds its beginning
    Missing, // no such file
    NotAFile, // a folder, a named pipe, a device…
    CannotOpen, // exists but cannot be read
};

struct Contents {
    Status status = Status::Missing;
    QByteArray bytes;
    // Russian, for the user, naming the file; empty when Read.
    QString problem;
    bool readable() const { return status == Status::Read || status == Status::Cut; }
};

Contents read(const QString& path, qint64 maxBytes);

} // namespace DataFile
