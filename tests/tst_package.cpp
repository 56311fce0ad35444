// The Debian package that CPack builds from this build: what it holds, what
// the Debian checkers say of it, and the files its entries name.
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Entry = QStringLiteral("usr/share/applications/org.example.tessora.TessoraPro.desktop");
const QString Metainfo = QStringLiteral("usr/share/metainfo/org.example.tessora.TessoraPro.metainfo.xml");
const QString Program = QStringLiteral("usr/lib/tessora-pro/TessoraPro");

QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(600000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

QStringList matches(const QString& text, const QString& pattern)
{
    QStringList found;
    for (const QRegularExpressionMatch& match :
        QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(text))
        found << match.captured(1);
    return found;
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        int code = 0;
        const QString cpack = run(QStringLiteral(TESSORA_CPACK),
            { QStringLiteral("--config"), QStringLiteral(TESSORA_BUILD_DIR "/CPackConfig.cmake"),
                QStringLiteral("-B"), m_work.path() },
            &code);
        QVERIFY2(code == 0, qPrintable(cpack));
        const QStringList packages = QDir(m_work.path()).entryList({ QStringLiteral("*.deb") }, QDir::Files);
        QCOMPARE(packages.size(), 1);
        m_package = m_work.filePath(packages.first());
        m_root = m_work.filePath(QStringLiteral("root")) + u'/';
        run(QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), m_package, m_root }, &code);
        QCOMPARE(code, 0);
    }

    void contents()
    {
        // Outside the program's and the data's folders: exactly these files.
        const QString list = run(QStringLiteral("dpkg-deb"), { QStringLiteral("-c"), m_package });
        QStringList expected { QStringLiteral("usr/bin/tessora-pro"), Entry, Metainfo,
            QStringLiteral("usr/share/doc/tessora-pro/changelog.Debian.gz"),
            QStringLiteral("usr/share/doc/tessora-pro/copyright"),
            QStringLiteral("usr/share/lintian/overrides/tessora-pro"),
            QStringLiteral("usr/share/man/man1/tessora-pro.1.gz") };
        for (const int size : { 16, 22, 24, 32, 48, 64, 128, 256, 512 })
            expected << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tessora-pro.png").arg(size);
        expected.sort();
        QStringList outside = matches(list,
            QStringLiteral(R"( \./((?!usr/lib/tessora-pro/|usr/share/tessora-pro/).*?[^/])(?: -> .*)?$)"));
        outside.sort();
        QCOMPARE(outside, expected);
        // Each data file of the build: under share/, and seen from the program's folder.
        for (const QString folder : { "Common", "Images", "cardio", "Help" }) {
            const QDir built(QStringLiteral(TESSORA_BUILD_DIR "/bin/") + folder);
            for (QDirIterator files(built.path(), QDir::Files, QDirIterator::Subdirectories);
                 files.hasNext();) {
                const QString file = folder + u'/' + built.relativeFilePath(files.next());
                QVERIFY2(list.contains(QStringLiteral(" ./usr/share/tessora-pro/") + file + u'\n'),
                    qPrintable(file));
                QVERIFY2(QFileInfo(m_root + QStringLiteral("usr/lib/tessora-pro/") + file).isFile(),
                    qPrintable(file));
            }
        }
        QCOMPARE(
            run(QStringLiteral("dpkg-deb"),
                { QStringLiteral("-f"), m_package, QStringLiteral("Version"), QStringLiteral("Recommends") }),
            QStringLiteral("Version: " TESSORA_PROJECT_VERSION
                           "-1\nRecommends: libreoffice-writer, qt6-translations-l10n\n"));
        QVERIFY(
            run(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), m_package, QStringLiteral("Depends") })
                .contains(QLatin1String("libqt6widgets6")));
    }

    void checkers_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("lintian") << QStringList { QStringLiteral("lintian"), QStringLiteral("--fail-on"),
            QStringLiteral("error"), m_package };
        QTest::newRow("desktop-file-validate")
            << QStringList { QStringLiteral("desktop-file-validate"), m_root + Entry };
        QTest::newRow("appstreamcli") << QStringList { QStringLiteral("appstreamcli"),
            QStringLiteral("validate"), QStringLiteral("--no-net"), m_root + Metainfo };
    }

    void checkers()
    {
        QFETCH(QStringList, command);
        int code = 0;
        const QString output = run(command.takeFirst(), command, &code);
        qInfo().noquote() << output; // the warnings that stay
        QVERIFY2(code == 0, qPrintable(output));
    }

    void entriesNameInstalledFiles()
    {
        QFile entryFile(m_root + Entry), metainfoFile(m_root + Metainfo);
        QVERIFY(entryFile.open(QIODevice::ReadOnly) && metainfoFile.open(QIODevice::ReadOnly));
        const QString entry = QString::fromUtf8(entryFile.readAll()),
                      metainfo = QString::fromUtf8(metainfoFile.readAll());
        for (const QString& command : matches(entry, QStringLiteral("^Exec=(.*)$"))
                + matches(metainfo, QStringLiteral("<binary>(.*)</binary>")))
            QCOMPARE(QFileInfo(m_root + QStringLiteral("usr/bin/") + command).canonicalFilePath(),
                QFileInfo(m_root + Program).canonicalFilePath());
        for (const QString& icon : matches(entry, QStringLiteral("^Icon=(.*)$"))
                + matches(metainfo, QStringLiteral("<icon type=\"stock\">(.*)</icon>"))) {
            const QString file
                = QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/") + icon + QStringLiteral(".png");
            for (const int size : { 16, 48, 256 })
                QCOMPARE(QImage(m_root + file.arg(size)).size(), QSize(size, size));
        }
        // No site exists yet: nothing names one.
        QVERIFY2(!metainfo.contains(QLatin1String("://")), qPrintable(metainfo));
    }

    void installedProgramStarts()
    {
        // In the test's own home and settings folders, without a screen (WIDGETS).
        QProcess program;
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(m_root + QStringLiteral("usr/bin/tessora-pro"));
        // Still running after a while: it found its libraries and did not stop.
        QVERIFY2(!program.waitForFinished(3000), program.readAll().constData());
        program.kill();
        program.waitForFinished();
    }

private:
    QTemporaryDir m_work;
    QString m_package;
    QString m_root; // the package unpacked as dpkg installs it
};

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
