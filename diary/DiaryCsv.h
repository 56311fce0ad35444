#pragma once

#include "diary/DiaryEntry.h"

#include <QByteArray>

// The diary's table as a CSV file that a Russian spreadsheet opens as it is:
// UTF-8 with a byte-order mark, ";" between fields, CR LF between rows, a
// field quoted when it holds ";", a quote, a line break or an outer blank.
QByteArray diaryCsv(const QList<DiaryEntry>& entries);

// Writes DiaryCsv to the path whole or not at all; false with the reason in
// error when it could not.
bool writeDiaryCsv(const QString& path, const QList<DiaryEntry>& entries, QString& error);
