#include "app/frmAboutU.h"

#include "app/VersionU.h"
#include "platform/files/DataFolder.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

QByteArray resource(const QStringList& strings)
{
    QString text = QStringLiteral("\\VarFileInfo\\Translation=19 04 E3 04\n");
    for (const QString& entry : strings)
        text += QStringLiteral("\\StringFileInfo\\041904E3\\") + entry + u'\n';
    return text.toUtf8();
}

QString labelText(const TfrmAbout& form, const char* name)
{
    return form.findChild<QLabel*>(name)->text();
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void versionLabels_data();
    void versionLabels();
    void fixedTextsAndWindow();
    void executeShowsModallyAndFrees();
    void picture_data();
    void picture();

private:
    QTemporaryDir m_data;
};

void TestAbout::initTestCase()
{
    QVERIFY(m_data.isValid());
    QVERIFY(QDir(m_data.path()).mkpath(QStringLiteral("Images")));
    DataFolder::setPath(m_data.path());
}

void TestAbout::versionLabels_data()
{
    QTest::addColumn<QByteArray>("resource");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("autors");

    QTest::newRow("generated resource") << QByteArray() << "Тессора Про версия " TESSORA_FILE_VERSION
                                        << "Разработка: команда «Тессора»  © 2026 Тессора Софт";
    QTest::newRow("missing Comments shows n/a first")
        << resource({ "ProductName=П", "FileVersion=1", "LegalCopyright=©" }) << "П версия 1"
        << "n/a  ©";
    QTest::newRow("no version information") << QByteArray("") << " версия "
                                            << "  ";
    QTest::newRow("values untrimmed")
        << resource({ "ProductName= П ", "FileVersion= 2 " }) << " П  версия  2 "
        << "n/a  n/a";
    QTest::newRow("percent signs shown as is")
        << resource({ "ProductName=%2", "FileVersion=%1", "Comments=100%", "LegalCopyright=%1" })
        << "%2 версия %1"
        << "100%  %1";
}

void TestAbout::versionLabels()
{
    QFETCH(QByteArray, resource);
    TfrmAbout form(QTest::currentDataTag() == QByteArray("generated resource")
            ? ProgramVersion()
            : ReadVersionResource(resource, QStringLiteral("/opt/tessora/TessoraPro")));
    QTEST(labelText(form, "lblName"), "name");
    QTEST(labelText(form, "lblAutors"), "autors");
}

void TestAbout::fixedTextsAndWindow()
{
    TfrmAbout form;
    QCOMPARE(form.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(labelText(form, "lblAbout").split(u'\n'),
        QStringList({ "Если в последнее время Вы чувствуете себя как-то",
            "не так,- посоветуйтесь с программой и она подскажет",
            "врача-специалиста, к которому следует обратиться.", "",
            "При этом Вы экономите по крайней мере один подход",
            "к \"живому\" терапевту, а это время и деньги." }));
    // The program has no web site: no address is shown.
    QVERIFY(!form.findChild<QLabel*>("lblURL"));
    QCOMPARE(form.findChild<QPushButton*>("bbtnOK")->text(), QStringLiteral("Закрыть"));
    QVERIFY(form.findChild<QFrame*>("bvlHor"));
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.width() >= 458 && form.height() >= 214);

    // Everything the labels say fits in the window.
    form.show();
    for (const char* name : { "lblAbout", "lblName", "lblAutors" }) {
        const QLabel* label = form.findChild<QLabel*>(name);
        QVERIFY2(label->width() >= label->sizeHint().width(), name);
        QVERIFY2(label->height() >= label->minimumSizeHint().height(), name);
    }
}

void TestAbout::executeShowsModallyAndFrees()
{
    QWidget owner;
    QPointer<TfrmAbout> shown;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
        if (!shown)
            return;
        modal = shown->isModal() && shown->isVisible();
        QTest::mouseClick(shown->findChild<QPushButton*>("bbtnOK"), Qt::LeftButton);
    });
    TfrmAbout::Execute(&owner);
    QVERIFY(modal);
    QVERIFY(shown.isNull());
    QVERIFY(owner.findChildren<TfrmAbout*>().isEmpty());
}

void TestAbout::picture_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QSize>("shown");

    QTest::newRow("no picture: program icon") << QByteArray() << QSize(150, 150);
    QTest::newRow("damaged picture: program icon")
        << QByteArray("\xff\xd8\xff\xe0 not a picture") << QSize(150, 150);
    QTest::newRow("picture fitted to the width") << QByteArray("wide") << QSize(150, 50);
}

void TestAbout::picture()
{
    QFETCH(QByteArray, jpeg);
    const QString path = DataFolder::file(QStringLiteral("Images/Tessora.jpg"));
    QFile::remove(path);
    if (jpeg == "wide") {
        QImage wide(300, 100, QImage::Format_RGB32);
        wide.fill(Qt::darkCyan);
        if (!wide.save(path, "JPG"))
            QSKIP("no JPEG writer here");
    } else if (!jpeg.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(jpeg);
    }
    TfrmAbout form;
    QTEST(form.findChild<QLabel*>("imgAbout")->pixmap().size(), "shown");
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
