#include "app/MainU.h"
#include "platform/widgets/MessageBoxes.h"

#include "app/Questionnaire.h"
#include "decision/ExaminationRecord.h"
#include "platform/files/DataFolder.h"

#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include <memory>

// The questionnaire inside the real main window, on the shipped statements.
class TestComplaintsPage : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TfrmTessora> window;

    TQuestionnaire* page() const { return window->Questionnaire(); }
    QAbstractItemModel* model() const { return page()->stgQst->model(); }
    void clickCell(int column, int row)
    {
        const QRect cell = page()->stgQst->visualRect(model()->index(row, column));
        QTest::mouseClick(page()->stgQst->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        DataFolder::setPath(QString());
    }

    void init()
    {
        window = std::make_unique<TfrmTessora>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->SelectPageByTag(2);
    }

    void cleanup() { window.reset(); }

    void pageHoldsHeaderAndGrid()
    {
        QWidget* panel = window->findChild<QWidget*>(QStringLiteral("pnlQst"));
        QVERIFY(panel);
        QCOMPARE(panel->findChild<QHeaderView*>(QStringLiteral("hdcTop")), page()->hdcTop);
        QCOMPARE(panel->findChild<QTableView*>(QStringLiteral("stgQst")), page()->stgQst);
        QCOMPARE(model()->rowCount(), 69);
        QVERIFY(page()->stgQst->isVisible());
        QTRY_COMPARE(page()->stgQst->columnWidth(1), page()->stgQst->width() - 180);
        QCOMPARE(page()->hdcTop->sectionSize(1), page()->hdcTop->width() - 180);
    }

    void answersReachTheRecord()
    {
        const ExaminationRecord& record = window->Record();
        QVERIFY(!record.IsAnsweredYes(1));
        clickCell(1, 0);
        clickCell(3, 1);
        QVERIFY(record.IsAnsweredYes(1));
        QVERIFY(!record.IsAnsweredYes(2));
        QVERIFY(!record.IsAnsweredYes(70));
        QCOMPARE(window->QuestionOfRow(1)->AnswerState, AnswerStates::No);
    }

    void leavingThePageKeepsAnswersAndView()
    {
        clickCell(2, 4);
        window->FillQuestionGrid(2);
        window->SelectPageByTag(5);
        window->SelectPageByTag(2);
        QCOMPARE(page()->QuestionView(), 2);
        QCOMPARE(model()->rowCount(), 1);
        QVERIFY(window->Record().IsAnsweredYes(5));
    }

    void newExaminationForgetsAnswers()
    {
        clickCell(2, 0);
        clickCell(2, 68);
        window->FillQuestionGrid(3);
        QVERIFY(page()->stgQst->isHidden());
        MessageBoxes::answerNext(QMessageBox::Yes);
        window->acNewExecute();
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        QCOMPARE(page()->QuestionView(), 0);
        QCOMPARE(model()->rowCount(), 69);
        QVERIFY(!page()->stgQst->isHidden());
        for (int n = 1; n <= 69; ++n)
            QVERIFY(!window->Record().IsAnsweredYes(n));
    }

    void hintsInTheStatusBar()
    {
        auto* bar = window->findChild<QStatusBar*>(QStringLiteral("sbMain"));
        QVERIFY(bar);
        QWidget* grid = page()->stgQst->viewport();
        QTest::mouseMove(grid, QPoint(5, 10));
        QTest::mouseMove(grid, QPoint(page()->stgQst->columnViewportPosition(2) + 5, 10));
        QTRY_COMPARE(bar->currentMessage(), QStringLiteral("Кликните здесь если хотите ответить 'Да'"));
        QWidget* header = page()->hdcTop->viewport();
        QTest::mouseMove(header, QPoint(5, 10));
        QTRY_COMPARE(bar->currentMessage(), QStringLiteral("Кликнув здесь Вы увидите все вопросы"));
    }
};

QTEST_MAIN(TestComplaintsPage)
#include "tst_complaintspage.moc"
