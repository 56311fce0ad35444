#include "platform/help/HelpFile.h"

#include <QFileInfo>
#include <QHelpEngine>
#include <QHelpLink>
#include <QSqlDatabase>

QString contextKeywordId(int helpContext)
{
    return QStringLiteral("context-%1").arg(helpContext);
}

HelpFile::HelpFile(const QString& qchPath)
{
    const QFileInfo info(qchPath);
    if (!info.isFile()) {
        m_error = QStringLiteral("Файл справки не найден: %1").arg(QDir::toNativeSeparators(qchPath));
        return;
    }
    // Qt Help keeps its files in SQLite; without the driver every file would look damaged.
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = QStringLiteral(
            "Справка недоступна: не установлен драйвер SQLite для Qt (пакет libqt6sql6-sqlite)");
        return;
    }
    if (!m_collectionDir.isValid()) {
        m_error = QStringLiteral("Не удается создать временную папку для справки: %1")
                      .arg(m_collectionDir.errorString());
        return;
    }
    auto engine = std::make_unique<QHelpEngine>(m_collectionDir.filePath(QStringLiteral("help.qhc")));
    engine->setReadOnly(false);
    if (!engine->setupData() || !engine->registerDocumentation(info.absoluteFilePath())
        || !engine->setupData()) {
        m_error = QStringLiteral("Файл справки поврежден: %1 (%2)")
                      .arg(QDir::toNativeSeparators(qchPath), engine->error());
        return;
    }
    if (engine->registeredDocumentations().isEmpty()) {
        m_error
            = QStringLiteral("Файл справки не содержит разделов: %1").arg(QDir::toNativeSeparators(qchPath));
        return;
    }
    m_engine = std::move(engine);
}

HelpFile::~HelpFile() = default;

QHelpLink HelpFile::topicLink(int helpContext) const
{
    if (!m_engine)
        return {};
    const QList<QHelpLink> links = m_engine->documentsForIdentifier(contextKeywordId(helpContext));
    return links.isEmpty() ? QHelpLink() : links.first();
}

QUrl HelpFile::topic(int helpContext) const
{
    return topicLink(helpContext).url;
}

QString HelpFile::topicTitle(int helpContext) const
{
    return topicLink(helpContext).title;
}

QUrl HelpFile::startPage() const
{
    if (!m_engine)
        return {};
    const QString space = m_engine->registeredDocumentations().constFirst();
    const QList<QUrl> pages = m_engine->files(space, QString(), QStringLiteral("html"));
    for (const QUrl& page : pages)
        if (page.fileName() == QLatin1String("index.html"))
            return page;
    return pages.isEmpty() ? QUrl() : pages.first();
}
