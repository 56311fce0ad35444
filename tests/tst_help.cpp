#include "platform/files/DataFolder.h"
#include "platform/help/HelpFile.h"
#include "platform/help/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// Every help context number that the windows carry.
const QList<int> UsedContexts
    = { 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24, 28, 29, 30, 31, 32, 33, 34, 35, 36 };

QString shippedHelpFile()
{
    return DataFolder::file(QStringLiteral("Help/TESSORAHELP.qch"));
}

QTextBrowser* topicView()
{
    QWidget* window = Help::window();
    return window ? window->findChild<QTextBrowser*>(QStringLiteral("txbTopic")) : nullptr;
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void init() { Help::setHelpFile(QString()); }

    // Runs first: the driver must not have been loaded yet.
    void missingDatabaseDriverIsNamed()
    {
        const QStringList paths = QCoreApplication::libraryPaths();
        QTemporaryDir noPlugins;
        QCoreApplication::setLibraryPaths({ noPlugins.path() });
        const HelpFile file(shippedHelpFile());
        QCoreApplication::setLibraryPaths(paths);
        QVERIFY(!file.isOpen());
        QVERIFY2(file.error().contains(QStringLiteral("драйвер SQLite")), qPrintable(file.error()));
    }

    void everyUsedContextShowsItsTopic_data()
    {
        QTest::addColumn<int>("context");
        for (int context : UsedContexts)
            QTest::addRow("context %d", context) << context;
    }
    void everyUsedContextShowsItsTopic()
    {
        QFETCH(int, context);
        const HelpFile file(shippedHelpFile());
        QVERIFY2(file.isOpen(), qPrintable(file.error()));
        const QString title = file.topicTitle(context);
        QVERIFY(!title.isEmpty());

        QVERIFY(Help::showContext(context));
        QTextBrowser* view = topicView();
        QVERIFY(view);
        QCOMPARE(view->source(), file.topic(context));
        QCOMPARE(view->documentTitle(), title);
        QVERIFY2(view->toPlainText().size() > 250, "the topic says too little");
        QVERIFY(Help::window()->windowTitle().startsWith(title));
        // a topic whose title names the help is not followed by «Справка» again
        QCOMPARE(Help::window()->windowTitle().count(QStringLiteral("справка"), Qt::CaseInsensitive), 1);
        // the contents follow the topic to its own entry, not to a group that shares its page
        auto* contents = Help::window()->findChild<QHelpContentWidget*>(QStringLiteral("trvHelpContents"));
        QTRY_COMPARE(contents->currentIndex().data().toString(), title);
    }

    void linksInTopicsLeadToTopics()
    {
        const HelpFile file(shippedHelpFile());
        QVERIFY(file.isOpen());
        QHelpEngine* engine = file.engine();
        const QString space = engine->registeredDocumentations().constFirst();
        const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)\""));
        const QList<QUrl> pages = engine->files(space, QString(), QStringLiteral("html"));
        QVERIFY(pages.size() >= UsedContexts.size());
        for (const QUrl& page : pages) {
            const QString html = QString::fromUtf8(engine->fileData(page));
            for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
                const QUrl target = page.resolved(QUrl(match.captured(1)));
                QVERIFY2(!engine->fileData(target).isEmpty(),
                    qPrintable(page.fileName() + " -> " + match.captured(1)));
            }
        }
    }

    void unknownContextIsExplained()
    {
        QVERIFY(!Help::showContext(23));
        QVERIFY(Help::window()->isVisible());
        QVERIFY(topicView()->toPlainText().contains(QStringLiteral("номер 23")));
    }

    void unusableFileIsExplained_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("Файл справки не найден");
        QTest::newRow("not a help file")
            << QByteArray("просто текст").repeated(100) << QStringLiteral("Файл справки поврежден");
    }
    void unusableFileIsExplained()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TESSORAHELP.qch"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        Help::setHelpFile(path);
        QVERIFY(!Help::showContext(10));
        QVERIFY(topicView()->toPlainText().contains(message));
        Help::showContents();
        QVERIFY(topicView()->toPlainText().contains(message));
    }

    void contentsAndIndexLeadToTopics()
    {
        Help::showContents();
        QWidget* window = Help::window();
        auto* contents = window->findChild<QHelpContentWidget*>(QStringLiteral("trvHelpContents"));
        auto* index = window->findChild<QHelpIndexWidget*>(QStringLiteral("lstHelpIndex"));
        QVERIFY(contents && index);
        QCOMPARE(topicView()->source().fileName(), QStringLiteral("index.html"));
        QTRY_VERIFY(contents->model()->rowCount() > 0);
        QTRY_VERIFY(index->model()->rowCount() > 20);

        auto* filter = window->findChild<QLineEdit*>(QStringLiteral("edtIndexFilter"));
        filter->setText(QStringLiteral("тонометр"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(topicView()->source().fileName(), QStringLiteral("pressure.html"));
        QCOMPARE(contents->currentIndex().data().toString(), QStringLiteral("Давление"));

        // One click on an entry of the contents opens its topic.
        const QModelIndexList diary
            = contents->model()->match(contents->model()->index(0, 0), Qt::DisplayRole,
                QStringLiteral("Дневник обследований"), 1, Qt::MatchRecursive | Qt::MatchExactly);
        QCOMPARE(diary.size(), 1);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualRect(diary[0]).center());
        QCOMPARE(topicView()->source().fileName(), QStringLiteral("diary.html"));
    }

    void contextComesFromNearestOwner_data()
    {
        QTest::addColumn<int>("pageContext");
        QTest::addColumn<int>("fieldContext");
        QTest::addColumn<int>("expected");
        QTest::newRow("field's own") << 15 << 8 << 8;
        QTest::newRow("page's when the field has none") << 15 << 0 << 15;
        QTest::newRow("none on the way up") << 0 << 0 << 0;
    }
    void contextComesFromNearestOwner()
    {
        QFETCH(int, pageContext);
        QFETCH(int, fieldContext);
        QFETCH(int, expected);
        QWidget window;
        auto* page = new QGroupBox(&window);
        auto* field = new QLineEdit(page);
        if (pageContext)
            page->setProperty("helpContext", pageContext);
        if (fieldContext)
            field->setProperty("helpContext", fieldContext);
        QCOMPARE(Help::contextOf(field), expected);
    }

    void f1OpensTopicOfFocusedControl()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* page = new QGroupBox(&window);
        page->setProperty("helpContext", 14);
        auto* field = new QLineEdit(page);
        auto* bare = new QLineEdit(&window);
        layout->addWidget(page);
        layout->addWidget(bare);
        Help::installF1(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));

        field->setFocus();
        QTest::keyClick(field, Qt::Key_F1);
        QVERIFY(topicView());
        QCOMPARE(topicView()->source().fileName(), QStringLiteral("puls.html"));

        QApplication::setActiveWindow(&window);
        bare->setFocus();
        QTest::keyClick(bare, Qt::Key_F1);
        QCOMPARE(topicView()->source().fileName(), QStringLiteral("index.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
