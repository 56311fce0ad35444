#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <array>
#include <stdexcept>

// The program's version information, read once at start-up and kept as strings
// for the whole run. The resource is a UTF-8 text of "query=value" lines whose
// queries are the version-resource paths:
//   \VarFileInfo\Translation=19 04 E3 04        (bytes in hex: language, code page, little-endian)
//   \StringFileInfo\041904E3\ProductName=Тессора Про
// The build generates it from the project's version and embeds it in the executable.

// The resource could not be read; what() and message() say why.
class EReadError : public std::runtime_error {
public:
    explicit EReadError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The version information of one resource: its language and the nine strings.
struct VersionInfo {
    // Language and code page of the resource as eight upper-case hex digits ("041904E3").
    QString VersionLanguage;
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString OriginalFilename;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    // Every entry of the resource, by query path.
    QHash<QString, QString> Entries;

    // The value under \StringFileInfo\<VersionLanguage>\<key>; "n/a" when it
    // is missing or empty.
    QString GetVersionValue(const QString& key) const;
};

// The string keys in the order they are read.
inline constexpr std::array<const char*, 9> VersionKeys { "CompanyName", "FileDescription", "FileVersion",
    "InternalName", "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion", "Comments" };

// Where the build embeds the program's own resource.
inline constexpr char ProgramVersionResource[] = ":/version/VersionInfo.txt";

// Reads the ten strings of a resource; an empty resource means the program has
// no version information and leaves them all empty. Throws EReadError naming
// programPath when the translation entry is shorter than 4 bytes.
VersionInfo ReadVersionResource(const QByteArray& resource, const QString& programPath);

// The resource embedded in the running program, read at the first call, which
// throws EReadError as ReadVersionResource does.
const VersionInfo& ProgramVersion();
