#include "app/Settings.h"

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

// A value written by hand may read back as a list ("a, b") or bytes; only a
// single text counts.
QString TextValue(const QString& key)
{
    const QVariant value = Store().value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

} // namespace

namespace UserSettings {

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
    Store().setValue(ReportPathKey, folder);
}

bool SaveNeeded()
{
    return TextValue(SaveNeededKey) == Yes;
}

void SetSaveNeeded(bool needed)
{
    Store().setValue(SaveNeededKey, needed ? Yes : No);
}

QByteArray WindowState(const QString& name)
{
    const QVariant value = Store().value(QStringLiteral("Windows/") + name);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

void SetWindowState(const QString& name, const QByteArray& state)
{
    Store().setValue(QStringLiteral("Windows/") + name, state);
}

} // namespace UserSettings
