#include "platform/help/HelpBrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>

namespace {

bool isHelpUrl(const QUrl& url)
{
    return url.scheme() == QLatin1String("qthelp");
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    QUrl url = name;
    if (url.isRelative())
        url = source().resolved(url);
    if (m_engine && isHelpUrl(url))
        return m_engine->fileData(url);
    return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (!isHelpUrl(url) && !url.isEmpty()) {
        QDesktopServices::openUrl(url);
        return;
    }
    QTextBrowser::doSetSource(url, type);
}
