#include "app/Settings.h"

#include "platform/files/PrivateFile.h"

#include <QDir>
#include <QFileInfo>
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

void TellRefused(const QString& key, qsizetype bytes, const UserSettings::ProblemHandler& tell)
{
    if (!tell)
        return;
    const QString expected = key == ReportPathKey
        ? QStringLiteral("путь к папке бывает не длиннее %1 байт").arg(UserSettings::MaxValueBytes)
        : QStringLiteral("ожидается %1 или %2").arg(Yes, No);
    tell(QStringLiteral("Значение %1 в файле настроек %2 слишком длинное (%3 байт; %4). Оно не используется.")
                    .arg(key, Store().fileName(), QString::number(bytes), expected));
}

// A value written by hand may read back as a list ("a, b") or bytes; only a
// single text counts, and only one no longer than a path can be.
QString TextValue(const QString& key, const UserSettings::ProblemHandler& tell)
{
    const QVariant value = Store().value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    const QString text = value.toString();
    const qsizetype bytes = text.toUtf8().size();
    if (bytes <= UserSettings::MaxValueBytes)
        return text;
    TellRefused(key, bytes, tell);
    return {};
}

} // namespace

namespace UserSettings {

bool IsAvailable()
{
    return Store().status() != QSettings::AccessError;
}

QString ReportPath(const ProblemHandler& tell)
{
    return TextValue(ReportPathKey, tell);
}

void SetReportPath(const QString& folder)
{
    Write(ReportPathKey, folder);
}

bool SaveNeeded(const ProblemHandler& tell)
{
    return TextValue(SaveNeededKey, tell) == Yes;
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
