#include "app/MainU.h"
#include "tests/WindowControl.h"

#include "cardio/CardioPageU.h"
#include "cardio/CardioU.h"
#include "cardio/MonitorU.h"
#include "decision/Emergency.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFolder.h"
#include "platform/widgets/MessageBoxes.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QSplitter>
#include <QSplitterHandle>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

} // namespace

class TestCardioPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmTessora> window;

    template <typename T> T* find(const char* name) const { return WindowControl<T>(*window, name); }
    QAction* acYes() const { return find<QAction>("acYes"); }
    QAction* acNo() const { return find<QAction>("acNo"); }
    QAction* acMonitor() const { return find<QAction>("acMonitor"); }
    TfrmMonitor* monitor() const { return window->findChild<TfrmMonitor*>(); }
    QString question() const { return find<QLabel>("lblQst")->text(); }
    bool conclusionShown() const
    {
        return find<QStackedWidget>("stkWork")->currentWidget() == find<QTextBrowser>("redCardio");
    }
    QStringList conclusionLines() const
    {
        return find<QTextBrowser>("redCardio")->toPlainText().split(QLatin1Char('\n'));
    }
    // The answers that led to the conclusion come first, then a blank line, then its explanation.
    QStringList reasonLines() const
    {
        const QStringList lines = conclusionLines();
        return lines.value(0).startsWith(QStringLiteral("• "))
                || lines.value(1).startsWith(QStringLiteral("• "))
            ? lines.mid(0, lines.indexOf(QString()))
            : QStringList();
    }
    QString conclusionFirstLine() const
    {
        const qsizetype reasons = reasonLines().size();
        return conclusionLines().value(reasons > 0 ? reasons + 1 : 0);
    }
    // Answers by clicking the buttons, as the user does.
    void answer(bool yes) { QTest::mouseClick(find<QToolButton>(yes ? "bbYes" : "bbNo"), Qt::LeftButton); }
    const CardioInterview& interview() const { return window->findChild<TCardioPage*>()->Interview(); }
    QString text(int q) const
    {
        return interview().KnowledgeBase().CardioQuestions[static_cast<std::size_t>(q)];
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        DataFolder::setPath(QString());
        window = std::make_unique<TfrmTessora>();
        window->resize(892, 646);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        MessageBoxes::takeShown();
    }

    void cleanup()
    {
        window.reset();
        DataFolder::setPath(QString());
        MessageBoxes::takeShown();
    }

    void enteringThePageAsksQuestionThree()
    {
        QVERIFY(!window->findChild<TCardioPage*>()); // made when first entered
        window->SelectPageByTag(CardiologistTag);
        QCOMPARE(find<QLabel>("lblQstCapt")->text(), QStringLiteral("Можно ли утверждать, что у Вас"));
        QVERIFY(find<QLabel>("lblQstCapt")->isVisible());
        QCOMPARE(question(), text(3));
        QVERIFY(acYes()->isEnabled() && acNo()->isEnabled());
        QCOMPARE(find<QToolButton>("bbYes")->text(), QStringLiteral("Да"));
        QCOMPARE(find<QToolButton>("bbNo")->text(), QStringLiteral("Нет"));
        QCOMPARE(acYes()->actionGroup()->objectName(), QStringLiteral("acLstAnswer"));
        QCOMPARE(
            acYes()->statusTip(), QStringLiteral("Кликните здесь, если отмечаете у себя указанный симптом"));
        QCOMPARE(
            acNo()->statusTip(), QStringLiteral("Кликните здесь, если указанный симптом к Вам не относится"));
        QCOMPARE(find<QLabel>("lblQst")->statusTip(),
            QStringLiteral("Прочитайте вопрос и ответьте на него «Да» или «Нет»"));
        QCOMPARE(monitor()->findChild<QSlider*>("tbDg0")->value(), 80);
        QCOMPARE(monitor()->findChild<QSlider*>("tbDg5")->value(), 90);
    }

    void answeringLeadsToTheExplanation_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QList<int>>("questions");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QStringList>("reasons");
        QTest::newRow("all no → healthy")
            << false << QList<int> { 3, 2, 25, 54, 55, 1, 5 } << "Практически здоров"
            << QStringList { "Вероятность этого состояния больше всего повысили ответы:",
                   "• «при повышении давления бывает сердцебиение?» — «Нет» (с 39 % до 50 %)",
                   "• «бывают одышка или давящая боль в груди при физической нагрузке?» — «Нет» (с 21 % до "
                   "31 %)",
                   "• «давление заметно меняется при волнении?» — «Нет» (с 50 % до 59 %)" };
        QTest::newRow("all yes → hypertension with angina")
            << true
            << QList<int> { 3, 1, 4, 10, 2, 6, 11, 8, 25, 9, 15, 26, 38, 35, 13, 16, 54, 37, 58, 43, 69, 60,
                   70, 75, 78, 79 }
            << "Гипертоническая болезнь со стенокардией"
            << QStringList {
                   "Вероятность этого состояния больше всего повысили ответы:",
                   "• «есть необходимость постоянно принимать лекарства, снижающие давление?» — «Да» (с 47 % "
                   "до 59 %)",
                   "• «при высоком давлении болит или тяжелеет затылок?» — «Да» (с 36 % до 47 %)",
                   "• «давление бывает выше 140 на 90 при нескольких измерениях в разные дни?» — «Да» (с 35 "
                   "% до "
                   "46 %)",
                   "Больше всего понизил её ответ:",
                   "• «при волнении давление поднимается и появляется боль в груди?» — «Да» (с 46 % до 36 %)"
               };
    }
    void answeringLeadsToTheExplanation()
    {
        QFETCH(bool, yes);
        QFETCH(QList<int>, questions);
        QFETCH(QString, firstLine);
        window->SelectPageByTag(CardiologistTag);
        for (int q : questions) {
            QVERIFY(!conclusionShown());
            QCOMPARE(question(), text(q));
            QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), q);
            answer(yes);
        }
        QVERIFY(conclusionShown());
        QCOMPARE(conclusionFirstLine(), firstLine);
        QTEST(reasonLines(), "reasons");
        // Without an emergency answer the healthy explanation keeps its "no hurry".
        QCOMPARE(find<QTextBrowser>("redCardio")
                     ->toPlainText()
                     .contains(QStringLiteral("Срочно обращаться к врачу не нужно.")),
            !yes);
        QVERIFY(!find<QWidget>("pnlRightBot")->isVisible());
        QVERIFY(!find<QSplitter>("pnlWork")->handle(1)->isVisible());
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        // The next question was still chosen, out of sight.
        QVERIFY(interview().AskedQuestions.count() == static_cast<std::size_t>(questions.size() + 1));
    }

    void infarctExplanationStartsWithTheAmbulance()
    {
        window->SelectPageByTag(CardiologistTag);
        window->ShowCardioConclusion(QStringLiteral("RQ0301"));
        QCOMPARE(conclusionFirstLine(), QStringLiteral("Немедленно вызовите скорую помощь: 103 или 112."));
    }

    void emergencyAnswerCallsTheAmbulance_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("urgent");
        for (int q : Emergency::CardioQuestions())
            QTest::addRow("question %d yes", q) << q << true << true;
        QTest::newRow("question 5 no") << 5 << false << false;
        QTest::newRow("question 2 yes: exertional pain") << 2 << true << false;
        QTest::newRow("question 10 yes: pain at rest too") << 10 << true << false;
    }
    void emergencyAnswerCallsTheAmbulance()
    {
        QFETCH(int, question);
        QFETCH(bool, yes);
        QFETCH(bool, urgent);
        window->SelectPageByTag(CardiologistTag);
        window->findChild<TCardioPage*>()->AskQuestion(question);
        answer(yes);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), urgent ? 1 : 0);
        if (!urgent)
            return;
        QCOMPARE(shown.first().icon, QMessageBox::Warning);
        QCOMPARE(shown.first().title, MessageBoxes::title());
        QCOMPARE(shown.first().text, Emergency::InterviewNotice({ question }).join(QLatin1Char('\n')));
        QVERIFY(
            shown.first().text.startsWith(QStringLiteral("Немедленно вызовите скорую помощь: 103 или 112.")));
        QVERIFY(shown.first().text.contains(Emergency::QuestionSign(question)));
    }

    // No to the first six, Yes to question 5 (a heart attack now), No: the
    // interview computes "healthy", but the page leads with the call for an
    // ambulance, in bold, and keeps of the reassuring explanation only what
    // the program is.
    void infarctSignsPrecedeEveryExplanation()
    {
        window->SelectPageByTag(CardiologistTag);
        for (int q : { 3, 2, 25, 54, 55, 1 }) {
            QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), q);
            answer(false);
        }
        QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), 5);
        answer(true);
        QCOMPARE(MessageBoxes::takeShown().size(), 1);
        while (!conclusionShown())
            answer(false);
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QTextDocument* page = find<QTextBrowser>("redCardio")->document();
        const QStringList lines = page->toPlainText().trimmed().split(QLatin1Char('\n'));
        const QStringList notice = Emergency::InterviewNotice({ 5 });
        QCOMPARE(lines.mid(0, notice.size()), notice);
        QCOMPARE(lines.size(), notice.size() + 1);
        QVERIFY(lines.constLast().startsWith(Emergency::DisclaimerStart()));
        QVERIFY(QTextCursor(page->firstBlock()).charFormat().fontWeight() >= QFont::Bold);
    }

    void reEnteringStartsAgain()
    {
        window->SelectPageByTag(CardiologistTag);
        answer(false);
        answer(true);
        QVERIFY(question() != text(3));
        window->SelectPageByTag(1);
        QVERIFY(!acYes()->isEnabled());
        window->SelectPageByTag(CardiologistTag);
        QCOMPARE(question(), text(3));
        QCOMPARE(interview().AskedQuestions.count(), std::size_t(1));
        answer(false);
        QCOMPARE(question(), text(2));
    }

    void restartOnTheSamePage_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("afterExplanation");
        QTest::newRow("node clicked again") << "click" << false;
        QTest::newRow("node clicked again after the explanation") << "click" << true;
        QTest::newRow("Enter on the node after the explanation") << "enter" << true;
        QTest::newRow("menu item") << "menu" << false;
        QTest::newRow("menu item after the explanation") << "menu" << true;
    }
    void restartOnTheSamePage()
    {
        QFETCH(QString, how);
        QFETCH(bool, afterExplanation);
        QAction* restart = find<QAction>("acRestartInterview");
        QVERIFY(!restart->isVisible());
        window->SelectPageByTag(CardiologistTag);
        auto* tree = find<QTreeWidget>("trvMain");
        QTreeWidgetItem* node = window->NodeAt(17);
        node->parent()->setExpanded(true);
        const auto clickNode = [&] {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
        };
        clickNode();
        QVERIFY(restart->isVisible());
        QCOMPARE(question(), text(3));
        for (int i = 0; i < (afterExplanation ? 7 : 2); ++i)
            answer(false);
        QCOMPARE(conclusionShown(), afterExplanation);

        if (how == u"menu") {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            const auto type
                = [](QWidget* receiver, char16_t key, const QString& text, Qt::KeyboardModifiers mods) {
                      QTest::sendKeyEvent(QTest::Press, receiver, Qt::Key(key), text, mods);
                      QTest::sendKeyEvent(QTest::Release, receiver, Qt::Key(key), text, mods);
                  };
            type(window.get(), u'Р', QString(), Qt::AltModifier);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            type(QApplication::activePopupWidget(), u'Н', QStringLiteral("н"), Qt::NoModifier);
        } else if (how == u"enter") {
            QTest::keyClick(tree, Qt::Key_Return);
        } else {
            clickNode();
        }
        QCOMPARE(question(), text(3));
        QCOMPARE(interview().AskedQuestions.count(), std::size_t(1));
        QVERIFY(!conclusionShown());
        QVERIFY(find<QWidget>("pnlRightBot")->isVisible());
        QCOMPARE(tree->currentItem(), node);
        answer(false);
        QCOMPARE(question(), text(2));

        window->SelectPageByTag(1);
        QVERIFY(!restart->isVisible());
    }

    void explanationThatCannotBeOpenedIsReported()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("cardio")));
        DataFolder::setPath(dir.path());
        window->SelectPageByTag(CardiologistTag);
        for (int i = 0; i < 6; ++i)
            answer(false);
        QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), 5);
        answer(false);
        const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().icon, QMessageBox::Critical);
        QVERIFY2(shown.first().text.contains(QStringLiteral("RQ0300.rtf")), qPrintable(shown.first().text));
        QVERIFY(!conclusionShown());
        QVERIFY(find<QWidget>("pnlRightBot")->isVisible());
        QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), 5);
        QCOMPARE(interview().Diagnoses[8].Condition, 0);
        QVERIFY(interview().Diagnoses[8].Probability > 0.7);
    }

    void damagedExplanationShowsWhatCanBeRead()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("cardio")));
        QFile file(dir.filePath("cardio/RQ0300.rtf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi\\ansicpg1251 {\\b \xc7\xe4\xee\xf0\xee\xe2}\\par \xe4\xe0\xeb\xe5\xe5 \\'");
        file.close();
        DataFolder::setPath(dir.path());
        window->SelectPageByTag(CardiologistTag);
        for (int i = 0; i < 7; ++i)
            answer(false);
        QVERIFY(conclusionShown());
        // What was read, then that the file is damaged.
        QCOMPARE(conclusionLines().mid(reasonLines().size() + 1).join(QLatin1Char('\n')),
            QStringLiteral("Здоров\nдалее \nДокумент поврежден: показано то, что удалось прочитать."));
    }

    void runningOutOfQuestions()
    {
        window->SelectPageByTag(CardiologistTag);
        // The answer that leaves the leader weakest never lets anyone reach the threshold.
        for (int step = 0; step < CardioQuestionCount - 1; ++step) {
            const int q = window->findChild<TCardioPage*>()->CurrentQuestion();
            double topYes = 0, topNo = 0, sumYes = 0, sumNo = 0;
            for (const TDiagnosisRec& r : interview().Diagnoses) {
                const TLikelihood& cell
                    = interview().KnowledgeBase().Likelihoods[r.Condition][static_cast<std::size_t>(q)];
                sumYes += r.Probability * cell.PYes;
                sumNo += r.Probability * cell.PNo;
                topYes = std::max(topYes, r.Probability * cell.PYes);
                topNo = std::max(topNo, r.Probability * cell.PNo);
            }
            answer(topYes / sumYes < topNo / sumNo);
        }
        QVERIFY(!conclusionShown());
        QVERIFY(interview().AllQuestionsAsked());
        const QString last = question();
        const TDiagnosisList before = interview().Diagnoses;
        // The emergency answers on the way each called for an ambulance.
        MessageBoxes::takeShown();
        for (int click = 0; click < 2; ++click) {
            answer(true);
            const QList<MessageBoxes::Shown> shown = MessageBoxes::takeShown();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().text, QStringLiteral("Ничего не могу понять"));
            QVERIFY(find<QLabel>("lblQstCapt")->isHidden());
            QCOMPARE(question(), last);
            QCOMPARE(interview().Diagnoses[8].Probability, before[8].Probability);
        }
        window->SelectPageByTag(1);
        window->SelectPageByTag(CardiologistTag);
        QVERIFY(find<QLabel>("lblQstCapt")->isVisible());
        QCOMPARE(question(), text(3));
    }

    void answersDoNothingWithoutAnInterview()
    {
        window->SelectPageByTag(CardiologistTag); // the page is made when first entered
        window->SelectPageByTag(14);
        // Without the cardiologist offered "Дальше" does not lead past the conclusion.
        QVERIFY(!find<QAction>("acNextTab")->isEnabled());
        find<QAction>("acNextTab")->trigger();
        QCOMPARE(window->ActivePageTag(), 14);
        QVERIFY(!acYes()->isEnabled() && !acNo()->isEnabled());
        window->findChild<TCardioPage*>()->AnswerQuestion(AnswerYes);
        window->findChild<TCardioPage*>()->acNoExecute();
        QVERIFY(MessageBoxes::takeShown().isEmpty());
        QVERIFY(!conclusionShown());
        QCOMPARE(window->findChild<TCardioPage*>()->CurrentQuestion(), 0);
    }

    void monitorFollowsPageAndAction()
    {
        QVERIFY(!acMonitor()->isVisible());
        window->SelectPageByTag(CardiologistTag);
        QVERIFY(acMonitor()->isVisible());
        QVERIFY(!monitor()->isVisible());
        QCOMPARE(acMonitor()->statusTip(),
            QStringLiteral("Поставьте флажок, если желаете наблюдать процесс постановки диагноза"));
        acMonitor()->trigger();
        QVERIFY(acMonitor()->isChecked());
        QVERIFY(monitor()->isVisible());
        QVERIFY(monitor()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(acMonitor()->statusTip(),
            QStringLiteral("Снимите флажок, если не собираетесь следить за процессом диагностики"));

        answer(false);
        QCOMPARE(monitor()->findChild<QSlider*>("tbDg0")->value(),
            100 - TfrmMonitor::RoundHalfEven(100 * interview().Diagnoses[8].Probability));

        window->SelectPageByTag(6);
        QVERIFY(!acMonitor()->isVisible());
        QVERIFY(!monitor()->isVisible());
        QVERIFY(acMonitor()->isChecked());

        window->SelectPageByTag(CardiologistTag);
        QVERIFY(monitor()->isVisible());
        QCOMPARE(monitor()->findChild<QSlider*>("tbDg0")->value(), 80);

        monitor()->close();
        QVERIFY(!acMonitor()->isChecked());
        QVERIFY(!monitor()->isVisible());
        acMonitor()->trigger();
        QVERIFY(monitor()->isVisible());
        acMonitor()->trigger();
        QVERIFY(!monitor()->isVisible());
        QCOMPARE(acMonitor()->statusTip(),
            QStringLiteral("Поставьте флажок, если желаете наблюдать процесс постановки диагноза"));
    }

    void enteringThePageClearsMonitorMarks()
    {
        window->SelectPageByTag(CardiologistTag);
        monitor()->lblInfarctClick(monitor()->findChild<QLabel*>("lblInfarct"));
        monitor()->lbl0Click(monitor()->findChild<QLabel*>("lbl0"));
        window->SelectPageByTag(1);
        window->SelectPageByTag(CardiologistTag);
        QCOMPARE(TfrmMonitor::SelectionEnd(monitor()->findChild<QSlider*>("tbDg1")), 0);
        QVERIFY(!monitor()->findChild<QLabel*>("lblLegend")->font().underline());
    }

    void answerPanelLayout_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::newRow("design size") << QSize(892, 646);
        QTest::newRow("wide") << QSize(1200, 700);
    }
    void answerPanelLayout()
    {
        QFETCH(QSize, windowSize);
        window->SelectPageByTag(CardiologistTag);
        window->resize(windowSize);
        QTest::qWait(20);
        const QWidget* pnlAns = find<QWidget>("pnlAns");
        const int half = pnlAns->contentsRect().width() / 2;
        const QWidget* yes = find<QWidget>("bbYes");
        QCOMPARE(yes->x(), half - yes->width() - 30);
        QCOMPARE(find<QWidget>("bbNo")->x(), half + 30);
        QCOMPARE(find<QWidget>("bvlCardio")->width(), pnlAns->width() - 14);
        QCOMPARE(find<QWidget>("lblQst")->width(), find<QWidget>("bvlCardio")->width() - 10);
    }
};

QTEST_MAIN(TestCardioPage)
#include "tst_cardiopage.moc"
