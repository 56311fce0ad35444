#include "app/MainU.h"
#include "platform/widgets/MessageBoxes.h"

#include "app/Questionnaire.h"
#include "decision/ExaminationRecord.h"
#include "platform/files/DataFolder.h"

#include <QLabel>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include <memory>

// The questionnaire inside the real main window, on the shipped statements.
class TestComplaintsPage : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TfrmTessora> window;

    TQuestionnaire* page() const { return window->findChild<TQuestionnaire*>(); }
    QAbstractItemModel* model() const { return page()->stgQst->model(); }
    void clickCell(int column, int row)
    {
        const QRect cell = page()->stgQst->visualRect(model()->index(row, column));
        QTest::mouseClick(page()->stgQst->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void clickSection(int section)
    {
        QHeaderView* header = page()->hdcTop;
        const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    QWidget* find(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
    int bottomHeight() const { return find("pnlRightBot")->height(); }
    int memoHeight() const { return find("pnlTop")->height(); }

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
        QVERIFY(!window->Record().IsAnsweredYes(1));
        clickCell(1, 0);
        clickCell(3, 1);
        const ExaminationRecord record = window->Record();
        QVERIFY(record.IsAnsweredYes(1));
        QVERIFY(!record.IsAnsweredYes(2));
        QVERIFY(!record.IsAnsweredYes(70));
        QCOMPARE(page()->QuestionOfRow(1)->AnswerState, AnswerStates::No);
    }

    void leavingThePageKeepsAnswersAndView()
    {
        clickCell(2, 4);
        page()->FillQuestionGrid(2);
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
        page()->FillQuestionGrid(3);
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

    void filterShown_data()
    {
        QTest::addColumn<QList<int>>("sections"); // clicked in this order, after statement 1 was answered yes
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("filterLine");
        QTest::addColumn<QString>("emptyLine");
        QTest::newRow("yes")
            << QList<int> { 2 } << 1
            << "Показаны утверждения с ответом «Да» — щелкните «#» в заголовке, чтобы показать все"
            << "";
        QTest::newRow("no, none answered so")
            << QList<int> { 3 } << 0
            << "Показаны утверждения с ответом «Нет» — щелкните «#» в заголовке, чтобы показать все"
            << "Нет утверждений с ответом «Нет»";
        QTest::newRow("not answered")
            << QList<int> { 1 } << 68
            << "Показаны утверждения без ответа — щелкните «#» в заголовке, чтобы показать все"
            << "";
        QTest::newRow("all again") << QList<int> { 3, 0 } << 69 << ""
                                   << "";
    }
    void filterShown()
    {
        QFETCH(QList<int>, sections);
        QFETCH(int, rows);
        QFETCH(QString, filterLine);
        QFETCH(QString, emptyLine);
        clickCell(2, 0);
        const QRect headerBefore = page()->hdcTop->geometry();
        for (int section : sections)
            clickSection(section);
        QCOMPARE(model()->rowCount(), rows);
        QCOMPARE(page()->lblQstFilter->isVisible() ? page()->lblQstFilter->text() : QString(), filterLine);
        QCOMPARE(page()->lblQstEmpty->isVisible() ? page()->lblQstEmpty->text() : QString(), emptyLine);
        QCOMPARE(page()->stgQst->isVisible(), rows != 0);
        // The chosen section is marked while a filter holds; the header stays at the top.
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(
                page()->hdcTop->model()->headerData(s, Qt::Horizontal, Qt::FontRole).value<QFont>().bold(),
                !filterLine.isEmpty() && s == sections.last());
        }
        QApplication::processEvents();
        QCOMPARE(
            page()->hdcTop->y(), filterLine.isEmpty() ? 0 : page()->lblQstFilter->geometry().bottom() + 1);
        QCOMPARE(page()->hdcTop->height(), headerBefore.height());
    }

    void gridTakesTheRoom_data()
    {
        QTest::addColumn<bool>("tallerBeforeEntering");
        QTest::addColumn<int>("comingFrom");
        QTest::newRow("window made taller on the page") << false << 1;
        QTest::newRow("page entered in a taller window") << true << 1;
        QTest::newRow("page entered from the conclusion") << false << 14;
    }
    void gridTakesTheRoom()
    {
        QFETCH(bool, tallerBeforeEntering);
        QFETCH(int, comingFrom);
        window->resize(892, 646);
        window->SelectPageByTag(1);
        QApplication::processEvents();
        const int bottom = bottomHeight();
        const int memo = memoHeight();
        window->SelectPageByTag(comingFrom);
        QApplication::processEvents();
        window->SelectPageByTag(2);
        QApplication::processEvents();
        // At the design size the page keeps the heights of every other page.
        QCOMPARE(bottomHeight(), bottom);
        QCOMPARE(memoHeight(), memo);

        if (tallerBeforeEntering)
            window->SelectPageByTag(1);
        window->resize(892, 646 + 300);
        QApplication::processEvents();
        window->SelectPageByTag(2);
        QApplication::processEvents();
        QCOMPARE(bottomHeight(), bottom + 300);
        QCOMPARE(memoHeight(), memo);

        // A dragged divider stays where it was put while the page is used.
        QWidget* divider = window->findChild<QSplitter*>(QStringLiteral("pnlWork"))->handle(1);
        const QPoint grip(divider->width() / 2, divider->height() / 2);
        QTest::mousePress(divider, Qt::LeftButton, {}, grip);
        QTest::mouseMove(divider, grip - QPoint(0, 100));
        QTest::mouseRelease(divider, Qt::LeftButton, {}, grip - QPoint(0, 100));
        const int dragged = bottomHeight();
        QVERIFY2(qAbs(dragged - (bottom + 400)) <= 2, qPrintable(QString::number(dragged)));
        clickSection(2);
        clickSection(0);
        clickCell(1, 3);
        QApplication::processEvents();
        QCOMPARE(bottomHeight(), dragged);
        QVERIFY(page()->stgQst->rowAt(page()->stgQst->viewport()->height() - 1) >= 12);

        // Other pages get their own heights back.
        window->SelectPageByTag(5);
        QApplication::processEvents();
        QCOMPARE(bottomHeight(), bottom);
    }

    void hintsInTheStatusBar()
    {
        auto* bar = window->findChild<QStatusBar*>(QStringLiteral("sbMain"));
        QVERIFY(bar);
        QWidget* grid = page()->stgQst->viewport();
        QTest::mouseMove(grid, QPoint(5, 10));
        QTest::mouseMove(grid, QPoint(page()->stgQst->columnViewportPosition(2) + 5, 10));
        QTRY_COMPARE(bar->currentMessage(), QStringLiteral("Кликните здесь, если хотите ответить «Да»"));
        QWidget* header = page()->hdcTop->viewport();
        QTest::mouseMove(header, QPoint(5, 10));
        QTRY_COMPARE(bar->currentMessage(), QStringLiteral("Кликнув здесь, Вы увидите все вопросы"));
    }
};

QTEST_MAIN(TestComplaintsPage)
#include "tst_complaintspage.moc"
