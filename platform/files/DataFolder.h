#pragma once

#include <QString>

// The data folder is the folder of the executable; every shipped file
// (Common/, Images/, cardio/, Help/) is found below it.
namespace DataFolder {

// The folder with its final separator, e.g. "/opt/tessora/".
QString path();

// Full path of a file below the data folder, given with '/' separators.
QString file(const QString& relativePath);

// Points the program at another folder; tests use it to run on prepared data.
void setPath(const QString& folder);

} // namespace DataFolder
