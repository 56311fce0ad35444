#include "platform/help/HelpWindow.h"

#include "ui_HelpWindow.h"

#include "platform/help/HelpViewer.h"
#include "platform/widgets/TextZoom.h"

#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QStyle>

namespace {

const QString HelpWord = QStringLiteral("Справка");

QString WindowTitle()
{
    return QStringLiteral("%1 — %2").arg(HelpWord, Help::programCaption());
}

// The topic's title, then what it does not say already of «Справка» and the program's name.
QString TopicWindowTitle(const QString& topic)
{
    QStringList parts { topic };
    for (const QString& part : { HelpWord, Help::programCaption() }) {
        if (!topic.contains(part, Qt::CaseInsensitive))
            parts << part;
    }
    return parts.join(QStringLiteral(" — "));
}

} // namespace

HelpWindow::HelpWindow(const QString& qchPath, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , ui(std::make_unique<Ui::HelpWindow>())
    , m_file(qchPath)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("frmHelp"));
    ui->btnBack->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    ui->btnForward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    ui->btnHome->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    ui->txbTopic->setAccessibleName(QStringLiteral("Раздел справки"));
    ui->tabNavigation->setAccessibleName(QStringLiteral("Содержание и указатель"));
    ui->edtIndexFilter->setAccessibleName(QStringLiteral("Поиск в указателе"));
    ui->btnBack->setEnabled(false);
    ui->btnForward->setEnabled(false);
    ui->splHelp->setSizes({ 270, 590 });
    connect(ui->btnBack, &QToolButton::clicked, ui->txbTopic, &QTextBrowser::backward);
    connect(ui->btnForward, &QToolButton::clicked, ui->txbTopic, &QTextBrowser::forward);
    connect(ui->btnHome, &QToolButton::clicked, this, &HelpWindow::showContents);
    connect(ui->txbTopic, &QTextBrowser::backwardAvailable, ui->btnBack, &QToolButton::setEnabled);
    connect(ui->txbTopic, &QTextBrowser::forwardAvailable, ui->btnForward, &QToolButton::setEnabled);
    TextZoom::Attach(ui->txbTopic);
    if (m_file.isOpen()) {
        attachNavigation();
    } else {
        ui->tabNavigation->setEnabled(false);
        ui->btnHome->setEnabled(false);
    }
}

// The contents and index views belong to the engine's models; they go first.
HelpWindow::~HelpWindow()
{
    delete m_contents;
    delete m_index;
}

void HelpWindow::attachNavigation()
{
    QHelpEngine* engine = m_file.engine();
    ui->txbTopic->setHelpEngine(engine);
    m_contents = engine->contentWidget();
    m_index = engine->indexWidget();
    m_contents->setObjectName(QStringLiteral("trvHelpContents"));
    m_index->setObjectName(QStringLiteral("lstHelpIndex"));
    m_contents->setAccessibleName(QStringLiteral("Содержание справки"));
    m_index->setAccessibleName(QStringLiteral("Указатель справки"));
    ui->layContents->addWidget(m_contents);
    ui->layIndex->addWidget(m_index);
    connect(m_contents, &QHelpContentWidget::linkActivated, ui->txbTopic,
        [this](const QUrl& url) { ui->txbTopic->setSource(url); });
    // The view opens a topic on a double click only; one click is what a reader expects.
    connect(m_contents, &QHelpContentWidget::clicked, this, [this, engine](const QModelIndex& index) {
        if (const QHelpContentItem* item = engine->contentModel()->contentItemAt(index))
            ui->txbTopic->setSource(item->url());
    });
    connect(m_index, &QHelpIndexWidget::documentActivated, this,
        [this](const QHelpLink& document) { ui->txbTopic->setSource(document.url); });
    connect(m_index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& documents) {
        if (!documents.isEmpty())
            ui->txbTopic->setSource(documents.first().url);
    });
    connect(ui->edtIndexFilter, &QLineEdit::textChanged, m_index,
        [this](const QString& text) { m_index->filterIndices(text); });
    connect(ui->edtIndexFilter, &QLineEdit::returnPressed, m_index, &QHelpIndexWidget::activateCurrentItem);
    connect(engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this] {
        m_contents->expandAll();
        selectTopic(ui->txbTopic->source());
    });
    // The signal comes before source() reports the new page.
    connect(ui->txbTopic, &QTextBrowser::sourceChanged, this, &HelpWindow::selectTopic);
}

bool HelpWindow::showContext(int helpContext)
{
    if (!m_file.isOpen()) {
        showMessage(QStringLiteral("Справка недоступна"), m_file.error().toHtmlEscaped());
        return false;
    }
    const QUrl topic = m_file.topic(helpContext);
    if (topic.isEmpty()) {
        showMessage(QStringLiteral("Раздел справки не найден"),
            QStringLiteral("Для этого места справка не написана (раздел номер %1). "
                           "Выберите тему в содержании слева или откройте "
                           "<a href=\"%2\">первую страницу справки</a>.")
                .arg(helpContext)
                .arg(m_file.startPage().toString()));
        return false;
    }
    ui->txbTopic->setSource(topic);
    return true;
}

void HelpWindow::showContents()
{
    ui->tabNavigation->setCurrentWidget(ui->tabContents);
    if (!m_file.isOpen()) {
        showMessage(QStringLiteral("Справка недоступна"), m_file.error().toHtmlEscaped());
        return;
    }
    ui->txbTopic->setSource(m_file.startPage());
}

void HelpWindow::showMessage(const QString& title, const QString& text)
{
    ui->txbTopic->setHtml(QStringLiteral("<h2>%1</h2><p>%2</p>").arg(title.toHtmlEscaped(), text));
    setWindowTitle(WindowTitle());
}

void HelpWindow::selectTopic(const QUrl& url)
{
    const QString title = ui->txbTopic->documentTitle();
    setWindowTitle(title.isEmpty() ? WindowTitle() : TopicWindowTitle(title));
    if (!m_contents)
        return;
    const QModelIndex index = m_contents->indexOf(url);
    if (index.isValid())
        m_contents->setCurrentIndex(index);
}
