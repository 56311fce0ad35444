#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decoding of JPEG pictures with libjpeg. A damaged file never ends the
// process: the result then carries an error text and no picture, or, for a
// file cut short, the part that could be decoded and a warning.
struct JpegResult {
    QImage image;
    QString error; // why nothing could be decoded; empty on success
    QString warning; // the first complaint about recoverable damage, if any
    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

// Pictures larger than this are refused before any pixel memory is taken.
inline constexpr qint64 MaxJpegPixels = 40'000'000;
inline constexpr qint64 MaxJpegFileSize = 64 * 1024 * 1024;

// Reads and decodes the file; a missing, unreadable or empty file is an error.
JpegResult LoadJpeg(const QString& path);

// Decodes JPEG bytes held in memory.
JpegResult DecodeJpeg(const QByteArray& bytes);
