#include "app/Questionnaire.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

enum Click {
    TextClick = 1,
    YesClick = 2,
    NoClick = 3,
    NumberClick = 0,
    RightTextClick = 4,
    BelowRowsClick = 5
};

const QStringList FiveStatements { "вас беспокоят головные боли", "бывает кашель", "", "бывает изжога",
    "отекают ноги" };

} // namespace

class TestQuestionnaire : public QObject {
    Q_OBJECT

private:
    QTemporaryDir FData;
    std::unique_ptr<QWidget> FPanel;
    TQuestionnaire* FPage = nullptr;

    void writeQuestionFile(const QByteArray& bytes)
    {
        QDir(FData.path()).mkpath(QStringLiteral("Common"));
        QFile file(FData.filePath(QStringLiteral("Common/ksm.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    void writeStatements(const QStringList& lines)
    {
        writeQuestionFile(CodePage::fromUnicode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }
    TQuestionModel* model() const { return static_cast<TQuestionModel*>(FPage->stgQst->model()); }
    QStringList shownNumbers() const
    {
        QStringList numbers;
        for (int row = 0; row < model()->rowCount(); ++row)
            numbers << model()->index(row, 0).data().toString();
        return numbers;
    }
    quint8 stateOf(int number) const { return FPage->Questions().item(number - 1)->AnswerState; }
    QPoint cellCentre(int column, int row) const
    {
        return FPage->stgQst->visualRect(model()->index(row, column)).center();
    }
    void click(int kind, int row)
    {
        QWidget* viewport = FPage->stgQst->viewport();
        switch (kind) {
        case RightTextClick:
            QTest::mouseClick(viewport, Qt::RightButton, {}, cellCentre(TextClick, row));
            break;
        case BelowRowsClick:
            QTest::mouseClick(
                viewport, Qt::LeftButton, {}, QPoint(cellCentre(TextClick, 0).x(), viewport->height() - 2));
            break;
        default:
            QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(kind, row));
        }
    }

private slots:
    void initTestCase() { QVERIFY(FData.isValid()); }

    void init()
    {
        // The model is never asked about an index that does not exist.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^Index QModelIndex.* is not valid")));
        DataFolder::setPath(FData.path());
        writeStatements(FiveStatements);
        FPanel = std::make_unique<QWidget>();
        FPanel->resize(600, 400);
        FPage = new TQuestionnaire(FPanel.get());
        FPage->LoadQuestions();
        FPanel->show();
        QVERIFY(QTest::qWaitForWindowExposed(FPanel.get()));
    }

    void cleanup()
    {
        FPanel.reset();
        DataFolder::setPath(QString());
    }

    void modelIsConsistent()
    {
        QAbstractItemModelTester tester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        FPage->ChangeAnswer(TextClick, 0);
        FPage->ChangeAnswer(NoClick, 2);
        for (int view : { 1, 2, 3, 0 })
            FPage->FillQuestionGrid(view);
        FPage->LoadQuestions();
        FPage->FreeQuestions();
        QCOMPARE(model()->rowCount(), 0);
    }

    void freshQuestionnaireShowsAllNotAnswered()
    {
        QCOMPARE(shownNumbers(), (QStringList { "1", "2", "3", "4", "5" }));
        QCOMPARE(model()->index(2, 1).data().toString(), QString());
        QCOMPARE(model()->index(4, 1).data().toString(), FiveStatements[4]);
        for (int number = 1; number <= 5; ++number)
            QCOMPARE(stateOf(number), AnswerStates::NotAnswered);
        QVERIFY(FPage->stgQst->isVisible());
    }

    void clicksAnswer_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("state");
        QTest::newRow("text once: yes") << QList<int> { TextClick } << int(AnswerStates::Yes);
        QTest::newRow("text twice: no") << QList<int> { TextClick, TextClick } << int(AnswerStates::No);
        QTest::newRow("text thrice: not answered")
            << QList<int> { TextClick, TextClick, TextClick } << int(AnswerStates::NotAnswered);
        QTest::newRow("no column of a yes: no") << QList<int> { YesClick, NoClick } << int(AnswerStates::No);
        QTest::newRow("yes column twice stays yes")
            << QList<int> { YesClick, YesClick } << int(AnswerStates::Yes);
        QTest::newRow("yes column of a no: yes")
            << QList<int> { NoClick, YesClick } << int(AnswerStates::Yes);
        QTest::newRow("text after no: not answered")
            << QList<int> { NoClick, TextClick } << int(AnswerStates::NotAnswered);
        QTest::newRow("number column changes nothing")
            << QList<int> { NumberClick } << int(AnswerStates::NotAnswered);
        QTest::newRow("right button answers too") << QList<int> { RightTextClick } << int(AnswerStates::Yes);
        QTest::newRow("below the rows changes nothing")
            << QList<int> { BelowRowsClick } << int(AnswerStates::NotAnswered);
    }
    void clicksAnswer()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, state);
        for (int kind : clicks)
            click(kind, 1);
        QCOMPARE(int(stateOf(2)), state);
        for (int number : { 1, 3, 4, 5 })
            QCOMPARE(stateOf(number), AnswerStates::NotAnswered);
    }

    void doubleClickAnswersTwice()
    {
        QWidget* viewport = FPage->stgQst->viewport();
        const QPoint at = cellCentre(TextClick, 0);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &second);
        QCOMPARE(stateOf(1), AnswerStates::No);
    }

    void spaceCyclesCurrentRow()
    {
        QTableView* grid = FPage->stgQst;
        grid->setCurrentIndex(QModelIndex());
        QTest::keyClick(grid, Qt::Key_Space);
        for (int number = 1; number <= 5; ++number)
            QCOMPARE(stateOf(number), AnswerStates::NotAnswered);

        grid->setCurrentIndex(model()->index(3, 1));
        const quint8 expected[]
            = { AnswerStates::Yes, AnswerStates::No, AnswerStates::NotAnswered, AnswerStates::Yes };
        for (quint8 state : expected) {
            QTest::keyClick(grid, Qt::Key_Space);
            QCOMPARE(stateOf(4), state);
        }
        QCOMPARE(stateOf(3), AnswerStates::NotAnswered);
    }

    void answerColumnsNeverBecomeCurrent()
    {
        QTableView* grid = FPage->stgQst;
        click(TextClick, 1);
        QCOMPARE(grid->currentIndex(), model()->index(1, 1));
        click(YesClick, 3);
        click(NoClick, 4);
        QCOMPARE(grid->currentIndex(), model()->index(1, 1));
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_End);
        QVERIFY(grid->currentIndex().column() <= 1);
        grid->setCurrentIndex(model()->index(0, 3));
        QVERIFY(grid->currentIndex().column() <= 1);
    }

    void viewsShowTheirStatementsWithGaps_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("all") << 0 << QStringList { "1", "2", "3", "4", "5" };
        QTest::newRow("not answered") << 1 << QStringList { "1", "3" };
        QTest::newRow("yes") << 2 << QStringList { "2", "5" };
        QTest::newRow("no") << 3 << QStringList { "4" };
    }
    void viewsShowTheirStatementsWithGaps()
    {
        QFETCH(int, view);
        QFETCH(QStringList, numbers);
        click(YesClick, 1);
        click(NoClick, 3);
        click(TextClick, 4);
        QTest::mouseClick(FPage->hdcTop->viewport(), Qt::LeftButton, {},
            QPoint(FPage->hdcTop->sectionViewportPosition(view) + 5, 10));
        QCOMPARE(FPage->QuestionView(), view);
        QCOMPARE(shownNumbers(), numbers);
        // A row of a filtered view still answers its own statement.
        const int first = numbers.first().toInt();
        FPage->ChangeAnswer(NoClick, 0);
        QCOMPARE(stateOf(first), AnswerStates::No);
    }

    void answeredRowStaysUntilViewChosenAgain()
    {
        FPage->FillQuestionGrid(1);
        click(YesClick, 0);
        click(TextClick, 1);
        QCOMPARE(shownNumbers(), (QStringList { "1", "2", "3", "4", "5" }));
        QCOMPARE(stateOf(1), AnswerStates::Yes);
        QCOMPARE(stateOf(2), AnswerStates::Yes);
        QTest::mouseClick(FPage->hdcTop->viewport(), Qt::LeftButton, {},
            QPoint(FPage->hdcTop->sectionViewportPosition(1) + 40, 10));
        QCOMPARE(shownNumbers(), (QStringList { "3", "4", "5" }));
    }

    void emptyViewHidesGridOnly()
    {
        FPage->FillQuestionGrid(2);
        QVERIFY(FPage->stgQst->isHidden());
        QVERIFY(FPage->hdcTop->isVisible());
        // Clicks over the hidden grid's place change nothing.
        FPage->ChangeAnswer(TextClick, 0);
        QVERIFY(!FPage->IsAnsweredYes(1));
        FPage->FillQuestionGrid(0);
        QVERIFY(FPage->stgQst->isVisible());
        QCOMPARE(FPage->stgQst->columnWidth(1), FPage->stgQst->width() - 180);
    }

    void isAnsweredYesFollowsTheAnswers()
    {
        QVERIFY(!FPage->IsAnsweredYes(1));
        click(TextClick, 0);
        QVERIFY(FPage->IsAnsweredYes(1));
        QVERIFY(!FPage->IsAnsweredYes(2));
        click(TextClick, 0);
        QVERIFY(!FPage->IsAnsweredYes(1));
        for (int n : { 0, 6, 69, 255 })
            QVERIFY(!FPage->IsAnsweredYes(n));
    }

    void reloadForgetsEveryAnswer()
    {
        click(YesClick, 0);
        click(NoClick, 1);
        FPage->FillQuestionGrid(3);
        FPage->LoadQuestions();
        QCOMPARE(FPage->QuestionView(), 0);
        QCOMPARE(shownNumbers().size(), 5);
        for (int number = 1; number <= 5; ++number)
            QCOMPARE(stateOf(number), AnswerStates::NotAnswered);
    }

    void questionFilesAreReadAsWritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("three lines, empty middle")
            << QByteArray("a\r\n\r\nc\r\n") << QStringList { "a", "", "c" };
        QTest::newRow("no final break") << QByteArray("a\r\nb") << QStringList { "a", "b" };
        QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList { "a", "b" };
        QTest::newRow("mixed") << QByteArray("a\nb\r\nc\rd") << QStringList { "a", "b", "c", "d" };
        QTest::newRow("zero byte") << QByteArray("a\r\nb\0c\r\n", 8) << QStringList { "a", "b" };
        QTest::newRow("not text") << QByteArray("\x01\x7f\x98\xff")
                                  << QStringList { QStringLiteral("\x01\x7f\uFFFDя") };
        QTest::newRow("empty file") << QByteArray() << QStringList();
    }
    void questionFilesAreReadAsWritten()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, texts);
        writeQuestionFile(bytes);
        FPage->LoadQuestions();
        QCOMPARE(model()->rowCount(), texts.size());
        for (int row = 0; row < texts.size(); ++row) {
            QCOMPARE(model()->index(row, 0).data().toString(), QString::number(row + 1));
            QCOMPARE(model()->index(row, 1).data().toString(), texts[row]);
        }
        QCOMPARE(FPage->stgQst->isHidden(), texts.isEmpty());
    }

    void missingFileLeavesEmptyQuestionnaire()
    {
        QVERIFY(QFile::remove(FData.filePath(QStringLiteral("Common/ksm.txt"))));
        FPage->LoadQuestions();
        QCOMPARE(FPage->Questions().count(), 0);
        QVERIFY(FPage->stgQst->isHidden());
        for (int n = 0; n <= 255; ++n)
            QVERIFY(!FPage->IsAnsweredYes(n));
        for (int view = 0; view < 4; ++view) {
            FPage->FillQuestionGrid(view);
            QVERIFY(FPage->stgQst->isHidden());
        }
    }

    void tenThousandStatementsStayUsable()
    {
        QStringList lines;
        for (int i = 1; i <= 10000; ++i)
            lines << QStringLiteral("Утверждение %1").arg(i);
        writeStatements(lines);
        FPage->LoadQuestions();
        QCOMPARE(model()->rowCount(), 10000);
        QTableView* grid = FPage->stgQst;
        grid->scrollToBottom();
        QCoreApplication::processEvents();
        const int lastRow = grid->rowAt(grid->viewport()->height() - 5);
        QVERIFY2(lastRow > 9000, qPrintable(QString::number(lastRow)));
        click(YesClick, lastRow);
        QVERIFY(FPage->IsAnsweredYes(lastRow + 1));
        FPage->FillQuestionGrid(2);
        QCOMPARE(shownNumbers(), QStringList { QString::number(lastRow + 1) });
    }

    void widthsFollowPanelAndUndoDrag()
    {
        FPanel->resize(700, 400);
        QTRY_COMPARE(FPage->hdcTop->width(), 700);
        const int sizes[] = { 20, 700 - 180, 80, 80 };
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(FPage->hdcTop->sectionSize(i), sizes[i]);
            QCOMPARE(FPage->stgQst->columnWidth(i), sizes[i]);
        }
        FPage->hdcTop->resizeSection(1, 100);
        FPage->hdcTop->resizeSection(0, 60);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(FPage->hdcTop->sectionSize(i), sizes[i]);
        QCOMPARE(FPage->hdcTop->height(), 33);
        QCOMPARE(FPage->stgQst->rowHeight(0), 40);
    }

    void hintsFollowThePointer_data()
    {
        QTest::addColumn<bool>("header");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("hint");
        QTest::newRow("grid number") << false << 5 << "Номер вопроса в опроснике";
        QTest::newRow("grid text") << false << 200 << "Кликните здесь, чтобы изменить ответ";
        QTest::newRow("grid yes") << false << 600 - 150 << "Кликните здесь, если хотите ответить «Да»";
        QTest::newRow("grid no") << false << 600 - 40 << "Кликните здесь, если хотите ответить «Нет»";
        QTest::newRow("header all") << true << 5 << "Кликнув здесь, Вы увидите все вопросы";
        QTest::newRow("header unanswered")
            << true << 200 << "Кликнув здесь, Вы увидите только вопросы, на которые Вы не ответили";
        QTest::newRow("header yes")
            << true << 450 << "Кликнув здесь, Вы увидите только вопросы, на которые Вы ответили «Да»";
        QTest::newRow("header no")
            << true << 560 << "Кликнув здесь, Вы увидите только вопросы, на которые Вы ответили «Нет»";
    }
    void hintsFollowThePointer()
    {
        QFETCH(bool, header);
        QFETCH(int, x);
        QFETCH(QString, hint);
        QSignalSpy spy(FPage, &TQuestionnaire::hintChanged);
        QAbstractItemView* view = header ? static_cast<QAbstractItemView*>(FPage->hdcTop)
                                         : static_cast<QAbstractItemView*>(FPage->stgQst);
        // From the far side first, so the hint under test is a change.
        QTest::mouseMove(view->viewport(), QPoint(x < 300 ? 590 : 5, 10));
        QTest::mouseMove(view->viewport(), QPoint(x, 10));
        QTRY_VERIFY(!spy.isEmpty());
        QCOMPARE(spy.last().first().toString(), hint);
        QCOMPARE(view->viewport()->statusTip(), hint);
    }

    void marksDrawnAtTheirPlace()
    {
        FPage->ChangeAnswer(YesClick, 0);
        FPage->ChangeAnswer(NoClick, 1);
        auto* delegate = static_cast<TQuestionDelegate*>(FPage->stgQst->itemDelegate());
        QVERIFY2(!delegate->ImLst[0].isNull() && !delegate->ImLst[1].isNull(), "answer marks not loaded");
        const QImage grid = FPage->stgQst->viewport()->grab().toImage();
        auto expected = [&](int mark) {
            const QPixmap& pixmap = delegate->ImLst[mark];
            QImage image(pixmap.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(FPage->stgQst->palette().color(QPalette::Base));
            QPainter(&image).drawPixmap(0, 0, pixmap);
            return image;
        };
        auto drawn = [&](int column, int row, const QSize& size) {
            const QRect cell = FPage->stgQst->visualRect(model()->index(row, column));
            return grid.copy(QRect(cell.topLeft() + QPoint(22, 10), size))
                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QImage set = expected(0), empty = expected(1);
        QVERIFY(set != empty);
        QCOMPARE(drawn(2, 0, set.size()), set);
        QCOMPARE(drawn(3, 0, empty.size()), empty);
        QCOMPARE(drawn(2, 1, empty.size()), empty);
        QCOMPARE(drawn(3, 1, set.size()), set);
        QCOMPARE(drawn(2, 2, empty.size()), empty);
        QCOMPARE(drawn(3, 2, empty.size()), empty);
    }
};

QTEST_MAIN(TestQuestionnaire)
#include "tst_questionnaire.moc"
