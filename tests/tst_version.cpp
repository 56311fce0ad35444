#include "app/VersionU.h"

#include <QTest>

namespace {

const QString Program = QStringLiteral("/opt/tessora/TessoraPro");

QByteArray resource(const QString& translation, const QStringList& strings)
{
    QString text = QStringLiteral("\\VarFileInfo\\Translation=") + translation + u'\n';
    for (const QString& entry : strings)
        text += QStringLiteral("\\StringFileInfo\\") + entry + u'\n';
    return text.toUtf8();
}

QStringList allTen(const VersionInfo& v)
{
    return { v.VersionLanguage, v.CompanyName, v.FileDescription, v.FileVersion, v.InternalName,
        v.LegalCopyright, v.OriginalFilename, v.ProductName, v.ProductVersion, v.Comments };
}

} // namespace

class TestVersion : public QObject {
    Q_OBJECT

private slots:
    void programResource();
    void values_data();
    void values();
    void badTranslation_data();
    void badTranslation();
    void noVersionInformation();
};

void TestVersion::programResource()
{
    const VersionInfo& program = ProgramVersion();
    QCOMPARE(program.VersionLanguage, QStringLiteral("041904E3"));
    QCOMPARE(program.ProductName, QStringLiteral("Тессора Про"));
    QCOMPARE(program.ProductVersion, QStringLiteral(TESSORA_PROJECT_VERSION));
    QCOMPARE(program.FileVersion, QStringLiteral(TESSORA_PROJECT_VERSION ".0"));
    QCOMPARE(program.InternalName, QStringLiteral("TessoraPro"));
    for (const QString& value : allTen(program))
        QVERIFY2(!value.isEmpty() && value != u"n/a", qPrintable(allTen(program).join(u'|')));
    QVERIFY(program.Comments.contains(u'а')); // written in Russian
}

void TestVersion::values_data()
{
    QTest::addColumn<QByteArray>("resource");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("comments");

    QTest::newRow("missing Comments reads n/a")
        << resource("19 04 E3 04", { "041904E3\\ProductName=Тессора Про" }) << "041904E3"
        << "Тессора Про"
        << "n/a";
    QTest::newRow("empty value reads n/a")
        << resource("19 04 E3 04", { "041904E3\\ProductName=", "041904E3\\Comments=x" }) << "041904E3"
        << "n/a"
        << "x";
    QTest::newRow("value kept untrimmed, '=' included")
        << resource("19 04 E3 04", { "041904E3\\ProductName= a=b ", "041904E3\\Comments=c" }) << "041904E3"
        << " a=b "
        << "c";
    QTest::newRow("CR LF lines") << QByteArray(
        "\\VarFileInfo\\Translation=19 04 E3 04\r\n\\StringFileInfo\\041904E3\\Comments=c\r\n")
                                 << "041904E3"
                                 << "n/a"
                                 << "c";
    QTest::newRow("strings of the translation's language only")
        << resource("09 04 B0 04", { "041904E3\\ProductName=ru", "040904B0\\ProductName=en" }) << "040904B0"
        << "en"
        << "n/a";
    QTest::newRow("first translation of several")
        << resource("19 04 E3 04 09 04 B0 04", { "041904E3\\Comments=ru" }) << "041904E3"
        << "n/a"
        << "ru";
    QTest::newRow("low hex digits are padded")
        << resource("7 0 1 0", { "00070001\\Comments=z" }) << "00070001"
        << "n/a"
        << "z";
}

void TestVersion::values()
{
    QFETCH(QByteArray, resource);
    const VersionInfo info = ReadVersionResource(resource, Program);
    QTEST(info.VersionLanguage, "language");
    QTEST(info.ProductName, "product");
    QTEST(info.Comments, "comments");
    QCOMPARE(info.CompanyName, QStringLiteral("n/a"));
    QTEST(info.GetVersionValue(QStringLiteral("Comments")), "comments");
}

void TestVersion::badTranslation_data()
{
    QTest::addColumn<QByteArray>("resource");

    QTest::newRow("three bytes") << resource("19 04 E3", { "041904E3\\Comments=c" });
    QTest::newRow("empty entry") << resource("", { "041904E3\\Comments=c" });
    QTest::newRow("not hex") << resource("19 04 zz 04", {});
    QTest::newRow("no entry") << QByteArray("\\StringFileInfo\\041904E3\\Comments=c\n");
    QTest::newRow("not a resource at all") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10);
}

void TestVersion::badTranslation()
{
    QFETCH(QByteArray, resource);
    try {
        ReadVersionResource(resource, Program);
        QFAIL("no read error");
    } catch (const EReadError& error) {
        QCOMPARE(error.message(), QStringLiteral("Invalid language info in file /opt/tessora/TessoraPro"));
    }
}

void TestVersion::noVersionInformation()
{
    QCOMPARE(allTen(ReadVersionResource(QByteArray(), Program)), QStringList(10, QString()));
}

QTEST_GUILESS_MAIN(TestVersion)
#include "tst_version.moc"
