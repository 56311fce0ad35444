#include "app/TessoraApplication.h"

#include "decision/ExaminationRecord.h"
#include "platform/widgets/MessageBoxes.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

// A failure that escapes an event handler reaches the error box with its
// message, and the event loop goes on.
class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void escapedFailure_data();
    void escapedFailure();
    void russianStandardDialogs();
};

using Thrower = std::function<void()>;
Q_DECLARE_METATYPE(Thrower)

void TestApplication::escapedFailure_data()
{
    QTest::addColumn<Thrower>("thrower");
    QTest::addColumn<QString>("message");
    QTest::newRow("height out of range")
        << Thrower([] { throw EHeightError(QStringLiteral("Рост слишком мал")); }) << "Рост слишком мал";
    QTest::newRow("weight out of range")
        << Thrower([] { throw EWeightError(QStringLiteral("Вес слишком велик")); }) << "Вес слишком велик";
    QTest::newRow("standard exception")
        << Thrower([] { throw std::runtime_error("disk full"); }) << "disk full";
    QTest::newRow("anything else") << Thrower([] { throw 42; }) << "Непредвиденная ошибка программы";
}

void TestApplication::escapedFailure()
{
    QFETCH(Thrower, thrower);
    QFETCH(QString, message);
    MessageBoxes::takeShown();
    QTimer::singleShot(0, this, thrower);
    bool loopGoesOn = false;
    QTimer::singleShot(10, this, [&loopGoesOn] { loopGoesOn = true; });
    QTRY_VERIFY(loopGoesOn);
    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, message);
    QCOMPARE(shown.first().icon, QMessageBox::Critical);
}

// Qt's own buttons and dialogs speak Russian, whatever the desktop's language.
void TestApplication::russianStandardDialogs()
{
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Discard | QDialogButtonBox::Cancel);
    QStringList texts;
    for (const QAbstractButton* button : buttons.buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    QCOMPARE(texts, QStringList({ "Отклонить", "Отмена", "Сохранить" }));
}

int main(int argc, char* argv[])
{
    TTessoraApplication application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
