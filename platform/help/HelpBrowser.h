#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows pages of a help file; links outside it open in the system's browser.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setHelpEngine(QHelpEngineCore* engine) { m_engine = engine; }
    QVariant loadResource(int type, const QUrl& name) override;
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    QHelpEngineCore* m_engine = nullptr;
};
