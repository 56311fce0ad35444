#include "platform/help/HelpBrowser.h"

#include "platform/widgets/Contrast.h"
#include "platform/widgets/TextZoom.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QHelpEngineCore>

namespace {

bool isHelpUrl(const QUrl& url)
{
    return url.scheme() == QLatin1String("qthelp");
}

// The topics' style in the desktop's colours and at the reader's text size.
QString StyleForReader(const QString& css, const QPalette& palette)
{
    static const QRegularExpression size(QStringLiteral("font-size:\\s*([0-9.]+)pt"));
    QString sized;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : size.globalMatch(css)) {
        sized += css.mid(from, match.capturedStart(1) - from)
            + QString::number(std::max(1.0, match.captured(1).toDouble() + TextZoom::Step()));
        from = match.capturedEnd(1);
    }
    return Contrast::AdaptStyleSheet(sized + css.mid(from), palette);
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
    if (m_engine && isHelpUrl(url) && type == QTextDocument::StyleSheetResource)
        return StyleForReader(QString::fromUtf8(m_engine->fileData(url)), palette());
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
