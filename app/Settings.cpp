#include "app/Settings.h"

#include "platform/files/PrivateFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

namespace {

const QString Organisation = QStringLiteral("TessoraPro");
const QString ReportPathKey = QStringLiteral("ReportPath");
const QString SaveNeededKey = QStringLiteral("SaveNeeded");
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, Organisation);
}

// The settings name the folder of a person's health files: the file is the
// owner's alone. Made so before the first write, whose mode it then keeps.
void Write(const QString& key, const QVariant& value)
{
    QSettings store = Store();
    const QFileInfo file(store.fileName());
    if (QDir().mkpath(file.absolutePath()))
        PrivateFile::ensureFile(file.filePath());
    store.setValue(key, value);
}

UserSettings::ProblemHandler TellProblem;

// Each refused value is told once in a run, not at every reading.
void TellRefused(const QString& key, const QString& text, qsizetype bytes)
{
    static QSet<size_t> told;
    if (!TellProblem || told.contains(qHash(key) ^ qHash(text)))
        return;
    told.insert(qHash(key) ^ qHash(text));
    const QString expected = key == ReportPathKey
        ? QStringLiteral("путь к папке бывает не длиннее %1 байт").arg(UserSettings::MaxValueBytes)
        : QStringLiteral("ожидается %1 или %2").arg(Yes, No);
    TellProblem(QStringLiteral("Значение %1 в файле настроек %2 слишком длинное (%3 байт; %4). Оно не используется.")
                    .arg(key, Store().fileName(), QString::number(bytes), expected));
}

// A value written by hand may read back as a list ("a, b") or bytes; only a
// single text counts, and only one no longer than a path can be.
QString TextValue(const QString& key)
{
    const QVariant value = Store().value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    const qsizetype bytes = text.toUtf8().size();
    if (bytes <= UserSettings::MaxValueBytes)
        return text;
    TellRefused(key, text, bytes);
    return {};
}

} // namespace

namespace UserSettings {

void SetProblemHandler(ProblemHandler handler)
{
    TellProblem = std::move(handler);
}

bool IsAvailable()
{
    return Store().status() != QSettings::AccessError;
}

QString ReportPath()
{
    return TextValue(ReportPathKey);
}

void SetReportPath(const QString& folder)
{
    Write(ReportPathKey, folder);
}

bool SaveNeeded()
{
    return TextValue(SaveNeededKey) == Yes;
}

void SetSaveNeeded(bool needed)
{
    Write(SaveNeededKey, needed ? Yes : No);
}

QByteArray WindowState(const QString& name)
{
    const QVariant value = Store().value(QStringLiteral("Windows/") + name);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void SetWindowState(const QString& name, const QByteArray& state)
{
    Write(QStringLiteral("Windows/") + name, state);
}

} // namespace UserSettings
