// The Debian package that CPack builds from this build: what it holds and
// where, what the Debian checkers say of it, and whether its menu and
// software-centre entries name files it installs.
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

const QString AppId = QStringLiteral("org.example.tessora.TessoraPro");
const QString ProgramFolder = QStringLiteral("usr/lib/tessora-pro");
const QString DataFolder = QStringLiteral("usr/share/tessora-pro");
const QList<int> IconSizes { 16, 22, 24, 32, 48, 64, 128, 256, 512 };

struct Result {
    int exitCode = -1;
    QString output;
};

Result run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        process.kill();
    process.waitForFinished();
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return { code, QString::fromUtf8(process.readAll()) };
}

QString iconFile(int size)
{
    return QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tessora-pro.png").arg(size);
}

// The value of a key of the menu entry's main group.
QString entryValue(const QString& entry, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void contents();
    void control();
    void checkers_data();
    void checkers();
    void metainfoNamesInstalledFiles();
    void menuEntryResolves();
    void installedProgramStarts();

private:
    QString installed(const QString& path) const { return m_root + u'/' + path; }

    QTemporaryDir m_work;
    QString m_package;
    // The package's files, unpacked as dpkg would install them.
    QString m_root;
    // Its contents list: files and links, without the leading "./".
    QStringList m_files;
};

void TestPackage::initTestCase()
{
    QVERIFY(m_work.isValid());
    const Result cpack = run(QStringLiteral(TESSORA_CPACK),
        { QStringLiteral("--config"), QStringLiteral(TESSORA_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
            m_work.path() });
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList packages = QDir(m_work.path()).entryList({ QStringLiteral("*.deb") }, QDir::Files);
    QCOMPARE(packages.size(), 1);
    m_package = m_work.filePath(packages.first());
    m_root = m_work.filePath(QStringLiteral("root"));
    QCOMPARE(run(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), m_package, m_root }).exitCode, 0);

    const Result list = run(QStringLiteral("dpkg-deb"), { QStringLiteral("-c"), m_package });
    QCOMPARE(list.exitCode, 0);
    const QRegularExpression path(QStringLiteral(R"( \./(\S+?)(?: -> .*)?$)"));
    for (const QString& line : list.output.split(u'\n', Qt::SkipEmptyParts)) {
        const QString file = path.match(line).captured(1);
        if (!file.isEmpty() && !file.endsWith(u'/'))
            m_files << file;
    }
}

void TestPackage::contents()
{
    // Outside the program's and the data's folders: exactly these.
    QStringList outside;
    for (const QString& file : std::as_const(m_files)) {
        if (!file.startsWith(ProgramFolder + u'/') && !file.startsWith(DataFolder + u'/'))
            outside << file;
    }
    QStringList expected { QStringLiteral("usr/bin/tessora-pro"),
        QStringLiteral("usr/share/applications/%1.desktop").arg(AppId),
        QStringLiteral("usr/share/doc/tessora-pro/changelog.Debian.gz"),
        QStringLiteral("usr/share/doc/tessora-pro/copyright"), QStringLiteral("usr/share/lintian/overrides/tessora-pro"),
        QStringLiteral("usr/share/man/man1/tessora-pro.1.gz"),
        QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(AppId) };
    for (const int size : IconSizes)
        expected << iconFile(size);
    outside.sort();
    expected.sort();
    QCOMPARE(outside, expected);

    // The program, and through its folder every file the build lays beside it.
    QVERIFY(m_files.contains(ProgramFolder + QStringLiteral("/TessoraPro")));
    for (const QString folder : { "Common", "Images", "cardio", "Help" }) {
        const QDir built(QStringLiteral(TESSORA_BUILD_DIR "/bin/") + folder);
        QDirIterator files(built.path(), QDir::Files, QDirIterator::Subdirectories);
        QVERIFY2(files.hasNext(), qPrintable(built.path()));
        while (files.hasNext()) {
            const QString file = folder + u'/' + built.relativeFilePath(files.next());
            QVERIFY2(m_files.contains(DataFolder + u'/' + file), qPrintable(file));
            QVERIFY2(QFileInfo(installed(ProgramFolder + u'/' + file)).isFile(), qPrintable(file));
        }
    }
}

void TestPackage::control()
{
    const Result fields = run(QStringLiteral("dpkg-deb"),
        { QStringLiteral("-f"), m_package, QStringLiteral("Package"), QStringLiteral("Version"),
            QStringLiteral("Recommends") });
    QCOMPARE(fields.output,
        QStringLiteral("Package: tessora-pro\nVersion: " TESSORA_PROJECT_VERSION "-1\n"
                       "Recommends: libreoffice-writer, qt6-translations-l10n\n"));
    // Found from the libraries the program links.
    const QString depends = run(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), m_package, QStringLiteral("Depends") }).output;
    QVERIFY2(depends.contains(QLatin1String("libqt6widgets6")) && depends.contains(QLatin1String("libc6")),
        qPrintable(depends));
}

void TestPackage::checkers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("lintian") << QStringLiteral("lintian")
                             << QStringList { QStringLiteral("--fail-on"), QStringLiteral("error"), m_package };
    QTest::newRow("desktop-file-validate")
        << QStringLiteral("desktop-file-validate")
        << QStringList { installed(QStringLiteral("usr/share/applications/%1.desktop").arg(AppId)) };
    QTest::newRow("appstreamcli") << QStringLiteral("appstreamcli")
                                  << QStringList { QStringLiteral("validate"), QStringLiteral("--no-net"),
                                         installed(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(AppId)) };
}

void TestPackage::checkers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const Result result = run(program, arguments);
    // What stays (warnings, hints) is printed for the reader of the log.
    qInfo().noquote() << program << "says:" << result.output;
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
}

void TestPackage::metainfoNamesInstalledFiles()
{
    QFile file(installed(QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(AppId)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList screenshots;
    QString id, launchable, icon, binary, release;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("release"))
            release = xml.attributes().value(QLatin1String("version")).toString();
        else if (name == QLatin1String("id"))
            id = xml.readElementText();
        else if (name == QLatin1String("launchable"))
            launchable = xml.readElementText();
        else if (name == QLatin1String("icon"))
            icon = xml.readElementText();
        else if (name == QLatin1String("binary"))
            binary = xml.readElementText();
        else if (name == QLatin1String("image"))
            screenshots << QUrl(xml.readElementText()).fileName();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(id, AppId);
    QCOMPARE(release, QStringLiteral(TESSORA_PROJECT_VERSION));
    QVERIFY(QFileInfo(installed(QStringLiteral("usr/share/applications/") + launchable)).isFile());
    QVERIFY(QFileInfo(installed(QStringLiteral("usr/share/icons/hicolor/128x128/apps/%1.png").arg(icon))).isFile());
    QVERIFY(QFileInfo(installed(QStringLiteral("usr/bin/") + binary)).isExecutable());
    QVERIFY(!screenshots.isEmpty());
    for (const QString& picture : std::as_const(screenshots))
        QVERIFY2(QFileInfo::exists(QStringLiteral(TESSORA_SOURCE_DIR "/docs/screenshots/") + picture), qPrintable(picture));
}

void TestPackage::menuEntryResolves()
{
    QFile file(installed(QStringLiteral("usr/share/applications/%1.desktop").arg(AppId)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(file.readAll());
    const QFileInfo command(installed(QStringLiteral("usr/bin/") + entryValue(entry, QStringLiteral("Exec"))));
    QCOMPARE(command.canonicalFilePath(), QFileInfo(installed(ProgramFolder + QStringLiteral("/TessoraPro"))).canonicalFilePath());
    for (const int size : IconSizes) {
        const QString icon = QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png")
                                 .arg(size)
                                 .arg(entryValue(entry, QStringLiteral("Icon")));
        QCOMPARE(QImage(installed(icon)).size(), QSize(size, size));
    }
}

void TestPackage::installedProgramStarts()
{
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(installed(QStringLiteral("usr/bin/tessora-pro")));
    QVERIFY(program.waitForStarted());
    // Still running after a while: its libraries were found and it did not stop.
    QVERIFY2(!program.waitForFinished(3000), program.readAll().constData());
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
