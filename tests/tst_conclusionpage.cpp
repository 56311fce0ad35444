#include "app/MainU.h"
#include "tests/WindowControl.h"

#include "app/SpinEdits.h"
#include "decision/DecisionU.h"
#include "platform/widgets/MessageBoxes.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidgetItem>

#include <memory>

class TestConclusionPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void conclusionFollowsTheRecord();
    void vitalsSaidMeasuredOnceEnteredOrConfirmed();
    void urgentNoticeInBold();
    void specialistsNode_data();
    void specialistsNode();
    void heightOutOfRangeKeepsLinesSoFar_data();
    void heightOutOfRangeKeepsLinesSoFar();

private:
    template <typename T> T* Find(const char* name) const { return WindowControl<T>(*window, name); }
    QStringList Memo() const
    {
        return Find<QPlainTextEdit>("mmoCommon")->toPlainText().split(QLatin1Char('\n'));
    }
    void Type(const char* spinEdit, const QString& text);

    std::unique_ptr<TfrmTessora> window;
};

void TestConclusionPage::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

void TestConclusionPage::init()
{
    window = std::make_unique<TfrmTessora>();
    MessageBoxes::takeShown();
}

void TestConclusionPage::cleanup()
{
    window.reset();
}

void TestConclusionPage::Type(const char* spinEdit, const QString& text)
{
    auto* edit = Find<TSpinEdit>(spinEdit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void TestConclusionPage::conclusionFollowsTheRecord()
{
    Find<TSpin10>("speTermo")->setValue(382);
    Find<TSpinEdit>("spePulsP")->setValue(104);
    window->SelectPageByTag(14);

    QStringList memo = Memo();
    QCOMPARE(memo.value(0), QStringLiteral("Вам рекомендуется консультация: терапевта."));
    QVERIFY(memo.contains(QStringLiteral("Температура тела: 38,2 градуса Цельсия - ПОВЫШЕНА.")));
    QVERIFY(memo.contains(QStringLiteral("Пульс: 104 удара в минуту, ритмичный - ТАХИКАРДИЯ.")));
    QVERIFY(memo.constLast().startsWith(QStringLiteral("Тессора Про ")));
    QVERIFY(MessageBoxes::takeShown().isEmpty());

    // Coming back after a change writes the conclusion anew.
    window->SelectPageByTag(4);
    Find<TSpin10>("speTermo")->setValue(366);
    Find<TSpinEdit>("spePulsP")->setValue(76);
    window->SelectPageByTag(14);
    memo = Memo();
    QCOMPARE(memo.value(0),
        QStringLiteral("Введенные Вами данные не позволяют сделать определенного заключения."));
    QVERIFY(memo.contains(QStringLiteral("Температура тела: 36,6 градуса Цельсия.")));
}

// A fresh record holds norm values: they are not the person's measurements
// until typed or confirmed with «Дальше»; the conclusion says so and each page
// marks its initial value.
void TestConclusionPage::vitalsSaidMeasuredOnceEnteredOrConfirmed()
{
    const QStringList never { "Температура тела: не измерена.", "Пульс: не измерен.",
        "Артериальное давление: не измерено." };
    window->SelectPageByTag(14);
    for (const QString& line : never)
        QVERIFY2(Memo().contains(line), qPrintable(line));
    QVERIFY(!Find<QLabel>("lblTermoInitial")->isHidden());

    window->SelectPageByTag(4);
    window->acNextTabExecute(); // the temperature shown is confirmed
    Find<TSpinEdit>("spePulsP")->setValue(64); // the pulse is entered
    QVERIFY(Find<QLabel>("lblTermoInitial")->isHidden());
    QVERIFY(!Find<QLabel>("lblPressInitial")->isHidden());
    window->SelectPageByTag(14);
    QVERIFY(Memo().contains(QStringLiteral("Температура тела: 36,6 градуса Цельсия.")));
    QVERIFY(Memo().contains(QStringLiteral("Пульс: 64 удара в минуту, ритмичный.")));
    QVERIFY(Memo().contains(never.last()));

    MessageBoxes::answerNext(QMessageBox::Yes);
    window->acNewExecute();
    window->SelectPageByTag(14);
    QVERIFY(Memo().contains(never.first()));
}

void TestConclusionPage::urgentNoticeInBold()
{
    Find<TSpinEdit>("speSisMes")->setValue(190);
    window->SelectPageByTag(14);
    const QTextDocument* memo = Find<QPlainTextEdit>("mmoCommon")->document();
    QVERIFY(memo->firstBlock().text().startsWith(QStringLiteral("СРОЧНО! Артериальное давление 190/80")));
    QVERIFY(QTextCursor(memo->firstBlock()).charFormat().fontWeight() >= QFont::Bold);
    QVERIFY(QTextCursor(memo->firstBlock().next()).charFormat().fontWeight() < QFont::Bold);
}

void TestConclusionPage::specialistsNode_data()
{
    QTest::addColumn<int>("systolic");
    QTest::addColumn<bool>("rhythmic");
    QTest::addColumn<bool>("node");

    QTest::newRow("cardiologist: 170/100") << 170 << true << true;
    QTest::newRow("rheumatologist: arrhythmia at 27") << 120 << false << true;
    QTest::newRow("neither: 160/80") << 160 << true << false;
}

void TestConclusionPage::specialistsNode()
{
    QFETCH(int, systolic);
    QFETCH(bool, rhythmic);
    QFETCH(bool, node);

    Find<TSpinEdit>("speSisMes")->setValue(systolic);
    Find<QCheckBox>("cbxPulsPokRitm")->setChecked(rhythmic);
    window->SelectPageByTag(14);
    QCOMPARE(window->NodeCount(), node ? 18 : 16);
    if (node) {
        QCOMPARE(window->NodeAt(16)->text(0), QStringLiteral("Специалисты"));
        QCOMPARE(window->NodeAt(17)->text(0), QStringLiteral("Кардиолог"));
    }

    // Back to normal values: the next conclusion takes the node away again.
    window->SelectPageByTag(6);
    Find<TSpinEdit>("speSisMes")->setValue(120);
    Find<QCheckBox>("cbxPulsPokRitm")->setChecked(true);
    window->SelectPageByTag(14);
    QCOMPARE(window->NodeCount(), 16);
}

void TestConclusionPage::heightOutOfRangeKeepsLinesSoFar_data()
{
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("message");

    QTest::newRow("height 250") << "250"
                                << "70"
                                << "Рост слишком велик";
    QTest::newRow("height 99") << "99"
                               << "70"
                               << "Рост слишком мал";
    QTest::newRow("weight 25") << "170"
                               << "25"
                               << "Вес слишком мал";
    QTest::newRow("both out: height reported") << "250"
                                               << "25"
                                               << "Рост слишком велик";
}

void TestConclusionPage::heightOutOfRangeKeepsLinesSoFar()
{
    QFETCH(QString, height);
    QFETCH(QString, weight);
    QFETCH(QString, message);

    Type("speHeight", height);
    Type("speWeight", weight);
    window->SelectPageByTag(14);

    const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, message);
    QCOMPARE(shown.first().icon, QMessageBox::Critical);

    const QString separator(150, QLatin1Char('-'));
    const QStringList expected {
        QStringLiteral("Введенные Вами данные не позволяют сделать определенного заключения."),
        QStringLiteral("Возможно, Вам просто надо хорошо отдохнуть?"),
        separator,
        QString(),
        // Neither the sex nor the birth date was given.
        QStringLiteral("пол не указан, возраст не указан."),
        QString(),
        QStringLiteral("Жалоб нет."),
        QString(),
        QStringLiteral("Объективно:"),
        separator,
        QString(),
    };
    QCOMPARE(Memo(), expected);
    QCOMPARE(window->NodeCount(), 16);
}

QTEST_MAIN(TestConclusionPage)
#include "tst_conclusionpage.moc"
