#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class QHelpEngine;
struct QHelpLink;

// A compiled help file opened through a private help collection, so that no
// shared state outside a temporary folder is touched.
class HelpFile {
public:
    explicit HelpFile(const QString& qchPath);
    ~HelpFile();

    bool isOpen() const { return m_engine != nullptr; }
    // Why the file could not be opened, in words for the user.
    QString error() const { return m_error; }
    QHelpEngine* engine() const { return m_engine.get(); }

    // The topic of a help context number; empty when the file has none.
    QUrl topic(int helpContext) const;
    QString topicTitle(int helpContext) const;
    // The first page of the contents.
    QUrl startPage() const;

private:
    QHelpLink topicLink(int helpContext) const;

    QString m_error;
    QTemporaryDir m_collectionDir;
    std::unique_ptr<QHelpEngine> m_engine;
};

QString contextKeywordId(int helpContext);
