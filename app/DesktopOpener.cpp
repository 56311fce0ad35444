#include "app/DesktopOpener.h"

#include <QDesktopServices>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The Name of a desktop entry, in Russian when it has one.
QString ApplicationName(const QString& desktopId)
{
    QFile file(QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId));
    QString name;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& raw : file.read(64 * 1024).split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(QLatin1String("Name[ru]=")))
                return line.mid(9);
            if (name.isEmpty() && line.startsWith(QLatin1String("Name=")))
                name = line.mid(5);
        }
    }
    return name.isEmpty() ? desktopId.chopped(desktopId.endsWith(QLatin1String(".desktop")) ? 8 : 0) : name;
}

} // namespace

TDesktopOpener::TDesktopOpener(QObject* parent)
    : QObject(parent)
{
}

void TDesktopOpener::open(const QString& path)
{
    const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (mime.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        emit failed(path,
            QStringLiteral("на компьютере нет программы xdg-open, которой рабочий стол открывает файлы"));
        return;
    }
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    auto* query = new QProcess(this);
    query->setStandardInputFile(QProcess::nullDevice());
    connect(query, &QProcess::finished, this,
        [this, query, path, type] { defaultFound(query, path, type.comment()); });
    connect(query, &QProcess::errorOccurred, this, [this, query, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        query->deleteLater();
        emit failed(path, QStringLiteral("не запускается программа xdg-mime"));
    });
    query->start(mime, { QStringLiteral("query"), QStringLiteral("default"), type.name() });
}

void TDesktopOpener::defaultFound(QProcess* query, const QString& path, const QString& type)
{
    query->deleteLater();
    const QString desktopId = QString::fromUtf8(query->readAllStandardOutput()).trimmed();
    if (desktopId.isEmpty()) {
        emit failed(path, QStringLiteral("на компьютере нет программы для файлов типа «%1»").arg(type));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
        emit failed(path, QStringLiteral("не запускается %1").arg(ApplicationName(desktopId)));
        return;
    }
    emit opened(path, ApplicationName(desktopId));
}
