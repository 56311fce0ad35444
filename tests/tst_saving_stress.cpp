#include "app/MainU.h"

#include "app/Settings.h"
#include "diary/DiaryStore.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/ReportU.h"
#include "tests/WriterTestOffice.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Automation;

namespace {

// Run as a child of the test (see main): one program instance that shows and
// leaves a conclusion so many times, saving each into the shared folder.
constexpr char InstanceVariable[] = "TESSORA_STRESS_INSTANCE";
constexpr char FolderVariable[] = "TESSORA_STRESS_FOLDER";
constexpr int DataPageTag = 1;
constexpr int ConclusionPageTag = 14;

int SavingRounds()
{
    return qEnvironmentVariableIsSet("TESSORA_STRESS_ROUNDS")
        ? qEnvironmentVariableIntValue("TESSORA_STRESS_ROUNDS")
        : 100;
}

QString RoundText(const QString& instance, int round)
{
    return QStringLiteral("Экземпляр %1, заключение %2.").arg(instance).arg(round);
}

void ShowConclusion(TReportState& report, const QString& text)
{
    report.ReportDoc
        = report.WordApp.get(QStringLiteral("Documents")).call(QStringLiteral("Add"), report.OmittedArg);
    report.DocSink->Disconnect();
    report.DocSink->Connect(report.ReportDoc);
    report.WordApp.get(QStringLiteral("Selection"))
        .get(QStringLiteral("Range"))
        .set(QStringLiteral("Text"), text);
    report.ShowReport();
}

int RunInstance(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QString instance = qEnvironmentVariable(InstanceVariable);
    WriterTestOffice office(QStringLiteral("stress_") + instance);
    UserSettings::SetSaveNeeded(true);
    UserSettings::SetReportPath(qEnvironmentVariable(FolderVariable));
    int failures = 0;
    {
        TfrmTessora window;
        window.show();
        for (int round = 0; round < SavingRounds(); ++round) {
            window.SelectPageByTag(ConclusionPageTag);
            if (!window.Report().ConnectWord())
                return 2;
            WriterTestOffice::remember();
            ShowConclusion(window.Report(), RoundText(instance, round));
            window.SelectPageByTag(DataPageTag);
            failures += window.Report().ReportDoc.isEmpty() ? 0 : 1;
        }
        for (const MessageBoxes::Shown& box : MessageBoxes::takeShown()) {
            std::printf("%s\n", qPrintable(box.text));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

// Two program instances, each with an office of its own, save conclusions
// into one folder at the same time: every conclusion is there once, whole,
// and kept in the diary, and nothing else is left.
class TestSavingStress : public QObject {
    Q_OBJECT

private slots:
    void twoInstancesLoseNothing();
};

void TestSavingStress::twoInstancesLoseNothing()
{
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("Заключения"));
    QVERIFY(QDir().mkpath(folder));
    const QStringList instances { QStringLiteral("А"), QStringLiteral("Б") };
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QString& instance : instances) {
        const QString home = root.filePath(instance);
        QVERIFY(QDir().mkpath(home));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(InstanceVariable), instance);
        environment.insert(QLatin1String(FolderVariable), folder);
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
        auto& run = runs.emplace_back(std::make_unique<QProcess>());
        run->setProcessEnvironment(environment);
        run->setProcessChannelMode(QProcess::ForwardedChannels);
        run->start(QCoreApplication::applicationFilePath(), {});
    }
    for (auto& run : runs) {
        QVERIFY(run->waitForFinished(1'500'000));
        QCOMPARE(run->exitCode(), 0);
    }

    QSet<QString> texts;
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : files) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY2(name.endsWith(QLatin1String(".doc")) && file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray bytes = file.readAll();
        for (const QString& instance : instances)
            for (int round = 0; round < SavingRounds(); ++round) {
                const QString text = RoundText(instance, round);
                if (bytes.contains(QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2)))
                    texts.insert(text);
            }
    }
    QCOMPARE(files.size(), instances.size() * SavingRounds());
    QCOMPARE(texts.size(), files.size());
    // Each instance, an account of its own here, keeps its diary in its own data
    // folder: one examination saved again and again, with every file.
    qsizetype kept = 0;
    for (QDirIterator diaries(root.path(), { DiaryStore::fileName() }, QDir::Files | QDir::Hidden,
             QDirIterator::Subdirectories);
         diaries.hasNext();) {
        for (const DiaryEntry& entry :
            DiaryStore(QFileInfo(diaries.next()).path(), DiaryStore::Access::Read).entries())
            kept += entry.savedFiles.size();
    }
    QCOMPARE(kept, files.size());
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(InstanceVariable))
        return RunInstance(argc, argv);
    QCoreApplication app(argc, argv);
    // Two hundred saves take minutes on a busy machine; the test's own limit is CTest's.
    qputenv("QTEST_FUNCTION_TIMEOUT", "1800000");
    TestSavingStress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_saving_stress.moc"
