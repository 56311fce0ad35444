#include "app/SelectPathU.h"

#include "platform/help/HelpViewer.h"
#include "platform/widgets/MessageBoxes.h"

#include <QAction>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

// The folder chooser: what OK accepts and creates, the preselected folder,
// and the tree that opens at the user's home folder.
class TestSelectPath : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void okNeedsAPath();
    void initialPath_data();
    void initialPath();
    void okCreatesOneLevel_data();
    void okCreatesOneLevel();
    void treeOpensAtHomeAndRightClickSelects();

private:
    QString Home(const QString& relative) const { return QDir(m_home.path()).filePath(relative); }
    static QString ShownPath(TfrmPath& dialog)
    {
        return dialog.findChild<QLineEdit*>(QStringLiteral("edtPath"))->text();
    }

    QTemporaryDir m_home;
};

void TestSelectPath::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    for (const char* folder : { "Заключения", "Документы", "Документы/Старые" })
        QVERIFY(QDir(m_home.path()).mkpath(QString::fromUtf8(folder)));
    QFile file(Home(QStringLiteral("файл")));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestSelectPath::init()
{
    MessageBoxes::takeShown();
}

void TestSelectPath::okNeedsAPath()
{
    TfrmPath dialog;
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edtPath"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(edit, QStringLiteral("/tmp"));
    QVERIFY(ok->isEnabled());
    edit->clear();
    QVERIFY(!dialog.findChild<QAction*>(QStringLiteral("acOK"))->isEnabled());
    QVERIFY(!ok->isEnabled());
    QCOMPARE(Help::contextOf(edit), 33);
}

void TestSelectPath::initialPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("boxes");
    const QString stored = Home(QStringLiteral("Документы/Старые"));
    const QString missing = Home(QStringLiteral("Нет такой"));
    QTest::newRow("stored folder is selected") << stored << stored << QStringList();
    QTest::newRow("nothing stored") << QString() << QString() << QStringList();
    QTest::newRow("folder that is gone")
        << missing << QString() << QStringList { QStringLiteral("Не могу открыть папку ") + missing };
}

void TestSelectPath::initialPath()
{
    QFETCH(QString, path);
    QFETCH(QString, shown);
    QFETCH(QStringList, boxes);
    TfrmPath dialog;
    dialog.SetInitialPath(path);
    dialog.show();
    QCOMPARE(ShownPath(dialog), shown);
    QCOMPARE(dialog.SelectedPath, path);
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("stvPath"));
    QCOMPARE(tree->currentIndex().isValid(), !shown.isEmpty());
    if (!shown.isEmpty())
        QVERIFY(!tree->visualRect(tree->currentIndex()).isEmpty());
    QStringList texts;
    for (const MessageBoxes::Shown& box : MessageBoxes::takeShown())
        texts << box.text;
    QCOMPARE(texts, boxes);
}

void TestSelectPath::okCreatesOneLevel_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("accepted");
    const QString home = m_home.path();
    QTest::newRow("existing folder") << Home(QStringLiteral("Заключения"))
                                     << Home(QStringLiteral("Заключения")) << true;
    QTest::newRow("new folder in an existing one")
        << Home(QStringLiteral("Документы/Новая")) << Home(QStringLiteral("Документы/Новая")) << true;
    QTest::newRow("trailing separator")
        << Home(QStringLiteral("Заключения/")) << Home(QStringLiteral("Заключения")) << true;
    QTest::newRow("home written as ~")
        << QStringLiteral("~/Заключения") << Home(QStringLiteral("Заключения")) << true;
    QTest::newRow("relative to home") << QStringLiteral("Архив") << Home(QStringLiteral("Архив")) << true;
    QTest::newRow("two levels missing: both made")
        << Home(QStringLiteral("Нет/Новая")) << Home(QStringLiteral("Нет/Новая")) << true;
    QTest::newRow("a file in the way")
        << Home(QStringLiteral("файл")) << Home(QStringLiteral("файл")) << false;
}

void TestSelectPath::okCreatesOneLevel()
{
    QFETCH(QString, typed);
    QFETCH(QString, selected);
    QFETCH(bool, accepted);
    TfrmPath dialog;
    dialog.show();
    dialog.findChild<QLineEdit*>(QStringLiteral("edtPath"))->setText(typed);
    dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    QCOMPARE(dialog.result(), accepted ? QDialog::Accepted : QDialog::Rejected);
    QVERIFY(dialog.isHidden());
    QCOMPARE(dialog.SelectedPath, selected);
    QCOMPARE(QFileInfo(selected).isDir(), accepted);
    const QList<MessageBoxes::Shown> boxes = MessageBoxes::takeShown();
    QCOMPARE(boxes.size(), accepted ? 0 : 1);
    if (!accepted)
        QCOMPARE(boxes.first().text, QStringLiteral("Не могу создать папку ") + selected);
}

void TestSelectPath::treeOpensAtHomeAndRightClickSelects()
{
    TfrmPath dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("stvPath"));
    const auto folderAt = [tree](const QString& path) -> QModelIndex {
        for (QModelIndex index = tree->indexAt(QPoint(1, 1)); index.isValid();
             index = tree->indexBelow(index)) {
            if (QDir::cleanPath(index.data(QFileSystemModel::FilePathRole).toString()) == path)
                return index;
        }
        return {};
    };
    // The home folder is open at the top, its folders listed without a file.
    const QString documents = Home(QStringLiteral("Документы"));
    QTRY_VERIFY(folderAt(documents).isValid());
    QVERIFY(folderAt(m_home.path()).isValid());
    QVERIFY(!folderAt(Home(QStringLiteral("файл"))).isValid());
    QVERIFY(tree->visualRect(folderAt(documents)).bottom() < tree->viewport()->height());

    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualRect(folderAt(documents)).center());
    QCOMPARE(ShownPath(dialog), documents);
    dialog.findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
    QCOMPARE(dialog.result(), QDialog::Rejected);
    QCOMPARE(dialog.SelectedPath, QString());
}

QTEST_MAIN(TestSelectPath)
#include "tst_selectpath.moc"
