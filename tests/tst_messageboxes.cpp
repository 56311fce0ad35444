#include "platform/widgets/MessageBoxes.h"

#include <QStandardPaths>
#include <QTest>

// No box may ever wait for a click in a test: queued answers come first, and
// in test mode an unanswered box takes its default button.
class TestMessageBoxes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void answers_data();
    void answers();
};

void TestMessageBoxes::answers_data()
{
    QTest::addColumn<QList<int>>("queued");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QList<int>>("returned");
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    QTest::newRow("queued answers in order")
        << QList<int> { QMessageBox::No, QMessageBox::Yes } << yesNo << int(QMessageBox::Yes)
        << QList<int> { QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes };
    QTest::newRow("unanswered takes the default")
        << QList<int> {} << yesNo << int(QMessageBox::No) << QList<int> { QMessageBox::No };
    QTest::newRow("no default takes the first button")
        << QList<int> {} << yesNo << int(QMessageBox::NoButton) << QList<int> { QMessageBox::Yes };
}

void TestMessageBoxes::answers()
{
    QFETCH(QList<int>, queued);
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QList<int>, returned);
    for (int answer : queued)
        MessageBoxes::answerNext(QMessageBox::StandardButton(answer));
    QList<int> got;
    for (int i = 0; i < returned.size(); ++i)
        got.append(MessageBoxes::show(nullptr, QMessageBox::Question, QStringLiteral("Тессора"),
            QStringLiteral("Вопрос %1").arg(i), QMessageBox::StandardButtons(buttons),
            QMessageBox::StandardButton(defaultButton)));
    QCOMPARE(got, returned);
    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), returned.size());
    QCOMPARE(shown.last().text, QStringLiteral("Вопрос %1").arg(returned.size() - 1));
    QCOMPARE(shown.first().icon, QMessageBox::Question);
    QVERIFY(MessageBoxes::takeShown().isEmpty());
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"
