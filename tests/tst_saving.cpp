#include "app/ConclusionFiles.h"
#include "app/MainU.h"
#include "app/Settings.h"
#include "platform/files/DataFolder.h"
#include "platform/widgets/MessageBoxes.h"
#include "tests/FileMode.h"
#include "tests/FolderDialogAnswer.h"

#include <QAction>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString Unassigned = QStringLiteral("(значение не присвоено)");

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("TessoraPro"));
}

} // namespace

// The option "Сохранять заключения" and its folder in the user's settings,
// without a word processor.
class TestSaving : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void saveNeededIsReadExactly_data();
    void saveNeededIsReadExactly();
    void optionAndFolderSurviveRestart();
    void checkingAsksForTheFolder_data();
    void checkingAsksForTheFolder();
    void overlongValueIsRefused_data();
    void overlongValueIsRefused();
    void reportPathWithoutDocument_data();
    void reportPathWithoutDocument();
    void laterConclusionsGetTheirOwnFiles();
    void completeDocumentIsNamedOnFat();
    void sameFolder_data();
    void sameFolder();

private:
    QAction* Option() const { return m_window->findChild<QAction*>(QStringLiteral("acSaveResults")); }
    void WriteSettings(const QByteArray& text);
    void OpenWindow();
    QString Folder(const QString& name) const { return QDir(m_home.path()).filePath(name); }

    QTemporaryDir m_home;
    std::unique_ptr<TfrmTessora> m_window;
};

void TestSaving::initTestCase()
{
    QVERIFY(m_home.isValid());
    // Test mode keeps the settings below the home folder, whatever
    // XDG_CONFIG_HOME says: the home folder is this test's own.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(Store().fileName().startsWith(m_home.path()));
    QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("Заключения")));
}

void TestSaving::init()
{
    QFile::remove(Store().fileName());
    MessageBoxes::takeShown();
}

void TestSaving::cleanup()
{
    m_window.reset();
}

void TestSaving::WriteSettings(const QByteArray& text)
{
    QDir().mkpath(QFileInfo(Store().fileName()).path());
    QFile file(Store().fileName());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void TestSaving::OpenWindow()
{
    m_window = std::make_unique<TfrmTessora>();
    m_window->show();
}

void TestSaving::saveNeededIsReadExactly_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Yes") << QByteArray("[General]\nSaveNeeded=Yes\n") << true;
    QTest::newRow("yes in lower case") << QByteArray("[General]\nSaveNeeded=yes\n") << false;
    QTest::newRow("No") << QByteArray("[General]\nSaveNeeded=No\n") << false;
    QTest::newRow("no settings") << QByteArray() << false;
    QTest::newRow("a list") << QByteArray("[General]\nSaveNeeded=Yes, Yes\n") << false;
    QTest::newRow("garbage") << QByteArray("\x01\x02[[[\xff\xfe=\n==\n[General\nSaveNeeded\0Yes", 33)
                             << false;
}

void TestSaving::saveNeededIsReadExactly()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, checked);
    if (!settings.isEmpty())
        WriteSettings(settings);
    OpenWindow();
    QCOMPARE(Option()->isChecked(), checked);
    QCOMPARE(Option()->statusTip(),
        checked ? QStringLiteral("Снимите флажок, если не планируете сохранять заключения Тессоры")
                : QStringLiteral("Поставьте флажок, если желаете сохранять заключения Тессоры"));
    QCOMPARE(m_window->ActivePageTag(), 1);
    // Closing writes the option back in the one spelling that reads as it was.
    m_window->close();
    QCOMPARE(Store().value(QStringLiteral("SaveNeeded")).toString(),
        checked ? QStringLiteral("Yes") : QStringLiteral("No"));
    QVERIFY(MessageBoxes::takeShown().isEmpty());
}

void TestSaving::optionAndFolderSurviveRestart()
{
    const QString folder = Folder(QStringLiteral("Заключения"));
    OpenWindow();
    {
        FolderDialogAnswer answer(folder);
        Option()->trigger();
        QCOMPARE(answer.shown, 1);
        QCOMPARE(answer.preselected, QString());
    }
    QVERIFY(Option()->isChecked());
    m_window->acNewExecute();
    QVERIFY(Option()->isChecked());
    m_window->close();
    OpenWindow();
    QVERIFY(Option()->isChecked());
    QCOMPARE(m_window->GetReportPath(), folder);
    QCOMPARE(FileMode(Store().fileName()), 0600);
}

void TestSaving::checkingAsksForTheFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("box");
    const QString kept = Folder(QStringLiteral("Заключения"));
    const QString other = Folder(QStringLiteral("Другая"));
    // A missing parent is made too; a file in the way is not.
    QFile(Folder(QStringLiteral("Файл"))).open(QIODevice::WriteOnly);
    const QString deep = Folder(QStringLiteral("Файл/Новая"));
    QTest::newRow("stored folder preselected, another chosen")
        << kept << other << kept << true << other << QString();
    QTest::newRow("unassigned value gives no preselection")
        << Unassigned << kept << QString() << true << kept << QString();
    QTest::newRow("cancelled") << kept << QString() << kept << false << kept << QString();
    QTest::newRow("folder that cannot be created counts as cancelled")
        << QString() << deep << QString() << false << QString()
        << QStringLiteral("Не могу создать папку ") + deep;
}

void TestSaving::checkingAsksForTheFolder()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);
    QFETCH(QString, preselected);
    QFETCH(bool, checked);
    QFETCH(QString, storedAfter);
    QFETCH(QString, box);
    if (!stored.isNull())
        UserSettings::SetReportPath(stored);
    OpenWindow();
    // A folder the chooser makes is the owner's only; one the user made keeps its mode.
    const int modeBefore = FileMode(answer);
    FolderDialogAnswer dialog(answer);
    Option()->trigger();
    if (checked)
        QCOMPARE(FileMode(answer), modeBefore < 0 ? 0700 : modeBefore);
    QCOMPARE(dialog.shown, 1);
    QCOMPARE(dialog.preselected, preselected);
    QCOMPARE(Option()->isChecked(), checked);
    QCOMPARE(UserSettings::ReportPath(), storedAfter);
    QStringList boxes;
    for (const MessageBoxes::Shown& shown : MessageBoxes::takeShown())
        boxes << shown.text;
    QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList { box });
}

void TestSaving::overlongValueIsRefused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ReportPath") << QStringLiteral("ReportPath") << QStringLiteral("путь к папке бывает не длиннее 4096 байт");
    QTest::newRow("SaveNeeded") << QStringLiteral("SaveNeeded") << QStringLiteral("ожидается Yes или No");
}

void TestSaving::overlongValueIsRefused()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    WriteSettings("[General]\n" + key.toLatin1() + "=Yes" + QByteArray(UserSettings::MaxValueBytes, '/') + "\n");
    QStringList told;
    const auto tell = [&told](const QString& text) { told << text; };
    QCOMPARE(UserSettings::ReportPath(tell), QString());
    QCOMPARE(UserSettings::SaveNeeded(tell), false);
    QCOMPARE(told.size(), 1);
    QCOMPARE(told.first(),
        QStringLiteral("Значение %1 в файле настроек %2 слишком длинное (4099 байт; %3). Оно не используется.")
            .arg(key, Store().fileName(), expected));
}

void TestSaving::reportPathWithoutDocument_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("checked");
    const QString kept = Folder(QStringLiteral("Заключения"));
    QTest::newRow("stored text taken as it is") << Unassigned << kept << Unassigned << true;
    QTest::newRow("none stored, chosen now") << QString() << kept << kept << true;
    QTest::newRow("none stored, cancelled: the program's folder")
        << QString() << QString() << DataFolder::path() << false;
}

void TestSaving::reportPathWithoutDocument()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);
    QFETCH(QString, path);
    QFETCH(bool, checked);
    if (!stored.isNull())
        UserSettings::SetReportPath(stored);
    OpenWindow();
    Option()->setChecked(true);
    FolderDialogAnswer dialog(answer);
    QCOMPARE(m_window->GetReportPath(), path);
    QCOMPARE(dialog.shown, stored.isNull() ? 1 : 0);
    QCOMPARE(Option()->isChecked(), checked);
    QCOMPARE(UserSettings::ReportPath(), checked ? path : stored);
}

void TestSaving::laterConclusionsGetTheirOwnFiles()
{
    const QTemporaryDir folder;
    const QString name = QStringLiteral("Заключение 2009 March 5 Thursday 14-07");
    QStringList files;
    for (int i = 0; i < 3; ++i) {
        files << ConclusionFiles::FreeFileName(folder.path(), name);
        QFile file(files.last());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(files,
        QStringList({ folder.filePath(name + QStringLiteral(".doc")),
            folder.filePath(name + QStringLiteral(" (2).doc")),
            folder.filePath(name + QStringLiteral(" (3).doc")) }));
}

// The exit code of a tool, its output dropped; -1 when it cannot run.
int Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// A FAT image (a USB stick) mounted by the kernel through a loop device, or
// by fusefat where the kernel has no vfat; fusefat writes ASCII names only.
struct FatFolder {
    explicit FatFolder(const QString& root)
        : path(root + QStringLiteral("/fat"))
    {
        const QString image = root + QStringLiteral("/fat.img");
        QFile file(image);
        if (!QDir().mkpath(path) || !file.open(QIODevice::WriteOnly) || !file.resize(16 << 20)
            || Run(QStringLiteral("mkfs.vfat"), { image }) != 0)
            return;
        if (Run(QStringLiteral("mount"), { QStringLiteral("-t"), QStringLiteral("vfat"),
                QStringLiteral("-o"), QStringLiteral("loop,utf8"), image, path }) == 0)
            by = QStringLiteral("vfat");
        else if (Run(QStringLiteral("fusefat"), { QStringLiteral("-o"), QStringLiteral("rw+"), image, path }) == 0)
            by = QStringLiteral("fusefat");
    }
    ~FatFolder()
    {
        if (!by.isEmpty())
            Run(QStringLiteral("umount"), { path });
    }
    QString path;
    QString by;
};

void TestSaving::completeDocumentIsNamedOnFat()
{
    const QTemporaryDir root;
    const FatFolder fat(root.path());
    if (fat.by.isEmpty())
        QSKIP("No FAT file system can be mounted here (root, mkfs.vfat and a loop device or fusefat)");
    const bool cyrillic = fat.by == QLatin1String("vfat");
    qInfo("FAT mounted by %s", qPrintable(fat.by));
    const QString name = cyrillic ? QStringLiteral("Заключение 8 декабря 16-20") : QStringLiteral("Conclusion 16-20");
    QStringList files;
    for (const QByteArray text : { "первое", "второе" }) {
        const QString temporary = fat.path + QStringLiteral("/.~partial.doc");
        QFile file(temporary);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        files << ConclusionFiles::Publish(temporary, fat.path, name);
        QVERIFY(!QFile::exists(temporary));
    }
    QCOMPARE(files, QStringList({ fat.path + QLatin1Char('/') + name + QStringLiteral(".doc"),
                        fat.path + QLatin1Char('/') + name + QStringLiteral(" (2).doc") }));
    for (const QString& file : files) {
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray(file == files.first() ? "первое" : "второе"));
    }
}

void TestSaving::sameFolder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("same");
    const QString kept = Folder(QStringLiteral("Заключения"));
    QFile::link(kept, Folder(QStringLiteral("Ссылка")));
    QTest::newRow("same text") << kept << kept << true;
    QTest::newRow("trailing separator") << kept << kept + QLatin1Char('/') << true;
    QTest::newRow("other case") << kept << Folder(QStringLiteral("заключения")) << false;
    QTest::newRow("through a link") << Folder(QStringLiteral("Ссылка")) << kept << true;
    QTest::newRow("parent") << m_home.path() << kept << false;
    QTest::newRow("never saved") << QString() << kept << false;
}

void TestSaving::sameFolder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, same);
    QCOMPARE(ConclusionFiles::SameFolder(first, second), same);
}

QTEST_MAIN(TestSaving)
#include "tst_saving.moc"
