#pragma once

#include "diary/DoctorSummary.h"

#include <QString>

// Writes the summary for a doctor as an A4 PDF: text, table and charts are
// drawn as vectors, so the file prints sharp and its text can be searched.
// False with the reason in error when the file could not be written; a file
// that was there before is then left as it was.
bool writeDoctorSummary(const QString& path, const DoctorSummary& summary, QString& error);
