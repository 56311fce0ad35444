#include "app/Settings.h"

#include <QSet>
#include <QSettings>

namespace {

const QString Organisation = QStringLiteral("TessoraPro");
const QString ReportPathKey = QStringLiteral("ReportPath");
const QString SaveNeededKey = QStringLiteral("SaveNeeded");
const QString TextZoomKey = QStringLiteral("TextZoom");
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, Organisation);
}

UserSettings::ProblemHandler TellProblem;

// Each refused value is told once in a run, not at every reading.
void TellRefused(const QString& key, const QString& text, qsizetype bytes)
{
    static QSet<size_t> told;
    if (!TellProblem || told.contains(qHash(key) ^ qHash(text)))
        return;
    told.insert(qHash(key) ^ qHash(text));
    TellProblem(QStringLiteral("Значение %1 в файле настроек %2 слишком длинное (%3 байт; путь к папке "
                                  "бывает не длиннее %4 байт). Оно не используется.")
                       .arg(key, Store().fileName(), QString::number(bytes),
                           QString::number(UserSettings::MaxValueBytes)));
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

int TextZoom()
{
    return Store().value(TextZoomKey).toInt();
}

void SetTextZoom(int step)
{
    Store().setValue(TextZoomKey, step);
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
