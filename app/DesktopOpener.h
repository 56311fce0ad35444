#pragma once

#include <QObject>
#include <QString>

class QProcess;

// Opens a file or a folder in the desktop's application for it without
// waiting for that application: first asks xdg-mime which application the
// desktop has for the file's type, so that a missing one is told at once and
// not after the opener gives up.
class TDesktopOpener final : public QObject {
    Q_OBJECT

public:
    explicit TDesktopOpener(QObject* parent = nullptr);

    // Starts opening; the answer comes as opened() or failed().
    void open(const QString& path);

signals:
    // application: the name the desktop gives it, or its desktop file's name.
    void opened(const QString& path, const QString& application);
    void failed(const QString& path, const QString& reason);

private:
    void defaultFound(QProcess* query, const QString& path, const QString& type);
};
