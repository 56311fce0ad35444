#include "cardio/CardioU.h"

#include "platform/files/CodePage.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>

namespace {

// Records what the interview asks of its windows.
class RecordingView final : public CardioView {
public:
    QList<int> asked;
    QString conclusion;
    int refreshes = 0;
    int barClears = 0;
    int legendClears = 0;
    bool failConclusion = false;

    void AskQuestion(int question) override { asked.append(question); }
    void ShowCardioConclusion(const QString& name) override
    {
        if (failConclusion)
            throw std::runtime_error("cannot open");
        conclusion = name;
    }
    void RefreshBars() override { ++refreshes; }
    void ClearBarHighlight() override { ++barClears; }
    void ClearLegendUnderline() override { ++legendClears; }
};

using Answerer = std::function<std::uint8_t(int question)>;

// Runs one interview the way the page does: every answer is applied and a next
// question chosen, until a conclusion or until all questions were put.
void runInterview(CardioInterview& interview, RecordingView& view, const Answerer& answer)
{
    interview.ResetInterview(view);
    interview.ChooseNextQuestion(view);
    while (view.conclusion.isEmpty() && !interview.AllQuestionsAsked()) {
        interview.ApplyAnswer(view.asked.last(), answer(view.asked.last()), view);
        interview.ChooseNextQuestion(view);
    }
}

QList<int> conditionOrder(const TDiagnosisList& list)
{
    QList<int> order;
    for (const TDiagnosisRec& record : list)
        order.append(record.Condition);
    return order;
}

QByteArray questionFile(int count, const QByteArray& separator)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += CodePage::fromUnicode(QStringLiteral("Вопрос %1?").arg(i)) + separator;
    return bytes;
}

} // namespace

class TestCardio : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        base = CardioKnowledgeBase();
        base.BuildLikelihoods();
        interview.emplace(base);
    }

    void likelihoodCells_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("question");
        QTest::addColumn<double>("pNo");
        QTest::addColumn<double>("pYes");
        QTest::newRow("healthy, any question") << 0 << 1 << 0.5 << 0.5;
        QTest::newRow("healthy, question 83") << 0 << 83 << 0.5 << 0.5;
        QTest::newRow("infarct key sign") << 1 << 5 << 0.1 << 0.9;
        QTest::newRow("infarct linked") << 1 << 2 << 0.2 << 0.8;
        QTest::newRow("infarct not linked") << 1 << 3 << 0.5 << 0.5;
        QTest::newRow("hypertension with angina, question 5") << 5 << 5 << 0.5 << 0.5;
        QTest::newRow("hypertension, last question") << 6 << 83 << 0.2 << 0.8;
        QTest::newRow("linked to nobody") << 8 << 52 << 0.5 << 0.5;
    }
    void likelihoodCells()
    {
        QFETCH(int, condition);
        QFETCH(int, question);
        QFETCH(double, pNo);
        QFETCH(double, pYes);
        const TLikelihood cell
            = base.Likelihoods[static_cast<std::size_t>(condition)][static_cast<std::size_t>(question)];
        QCOMPARE(cell.PNo, pNo);
        QCOMPARE(cell.PYes, pYes);
    }

    void linkedSetsHaveTheirSizes()
    {
        const std::array<std::size_t, ConditionCount> counts = { 0, 26, 23, 12, 15, 25, 13, 18, 19 };
        for (std::size_t c = 0; c < ConditionCount; ++c)
            QCOMPARE(ConditionQuestions[c].count(), counts[c]);
        for (int q : { 52, 64, 77, 82 }) {
            for (const QuestionSet& set : ConditionQuestions)
                QVERIFY(!set.test(static_cast<std::size_t>(q)));
        }
    }

    void sortingThePriorsLeavesTheirTiesInPartitionOrder()
    {
        TDiagnosisList list = DiagnosisPriors;
        SortDiagnoses(list);
        QCOMPARE(conditionOrder(list), (QList<int> { 6, 5, 8, 7, 4, 1, 2, 3, 0 }));
    }

    void sortingOrdersDistinctProbabilities()
    {
        TDiagnosisList list = { { { 0, 0.3 }, { 1, 0.01 }, { 2, 0.2 }, { 3, 0.05 }, { 4, 0.15 }, { 5, 0.02 },
            { 6, 0.12 }, { 7, 0.1 }, { 8, 0.05 } } };
        SortDiagnoses(list);
        for (std::size_t i = 1; i < list.size(); ++i)
            QVERIFY(list[i - 1].Probability <= list[i].Probability);
        QCOMPARE(list[8].Condition, 0);
        QCOMPARE(list[7].Condition, 2);
    }

    void interviewTraces_data()
    {
        QTest::addColumn<int>("pattern");
        QTest::addColumn<QList<int>>("questions");
        QTest::addColumn<QString>("conclusion");
        QTest::addColumn<double>("topProbability");
        QTest::newRow("all no") << -1 << QList<int> { 3, 2, 25, 54, 55, 1, 5 } << "RQ0300" << 0.730;
        QTest::newRow("all yes") << -2
                                 << QList<int> { 3, 1, 4, 10, 2, 6, 11, 8, 25, 9, 15, 26, 38, 35, 13, 16, 54,
                                        37, 58, 43, 69, 60, 70, 75, 78, 79 }
                                 << "RQ0305" << 0.78;
        QTest::newRow("paroxysmal rhythm pattern")
            << 4 << QList<int> { 3, 2, 25, 26, 27, 28, 29, 30, 31 } << "RQ0304" << -1.0;
    }
    void interviewTraces()
    {
        QFETCH(int, pattern);
        QFETCH(QList<int>, questions);
        QFETCH(QString, conclusion);
        QFETCH(double, topProbability);
        RecordingView view;
        runInterview(*interview, view, [pattern](int q) -> std::uint8_t {
            if (pattern == -1)
                return AnswerNo;
            if (pattern == -2)
                return AnswerYes;
            return ConditionQuestions[static_cast<std::size_t>(pattern)].test(static_cast<std::size_t>(q))
                ? AnswerYes
                : AnswerNo;
        });
        // One more question is chosen after the conclusion, out of sight.
        QCOMPARE(view.asked.mid(0, questions.size()), questions);
        QCOMPARE(view.asked.size(), questions.size() + 1);
        QCOMPARE(view.conclusion, conclusion);
        if (topProbability > 0)
            QVERIFY2(std::abs(interview->Diagnoses[8].Probability - topProbability) < 0.005,
                qPrintable(QString::number(interview->Diagnoses[8].Probability)));
        QCOMPARE(view.refreshes, questions.size() + 1);
    }

    void healthyHalvesAtEveryAnswer()
    {
        RecordingView view;
        interview->ResetInterview(view);
        interview->ChooseNextQuestion(view);
        double before = 0.2;
        for (int step = 0; step < 3; ++step) {
            double sumOfProducts = 0.0;
            for (const TDiagnosisRec& r : interview->Diagnoses)
                sumOfProducts += r.Probability
                    * base.Likelihoods[r.Condition][static_cast<std::size_t>(view.asked.last())].PNo;
            interview->ApplyAnswer(view.asked.last(), AnswerNo, view);
            double healthy = 0;
            for (const TDiagnosisRec& r : interview->Diagnoses)
                if (r.Condition == 0)
                    healthy = r.Probability;
            QCOMPARE(healthy, before * 0.5 / sumOfProducts);
            before = healthy;
            interview->ChooseNextQuestion(view);
        }
    }

    void everyNewInterviewStartsWithQuestionThree()
    {
        RecordingView view;
        runInterview(*interview, view, [](int) { return AnswerYes; });
        RecordingView again;
        interview->ResetInterview(again);
        QCOMPARE(conditionOrder(interview->Diagnoses), conditionOrder(DiagnosisPriors));
        QVERIFY(interview->AskedQuestions.none());
        QCOMPARE(again.refreshes, 1);
        QCOMPARE(again.barClears, 1);
        QCOMPARE(again.legendClears, 1);
        interview->ChooseNextQuestion(again);
        QCOMPARE(again.asked, QList<int> { 3 });
        interview->ApplyAnswer(3, AnswerNo, again);
        interview->ChooseNextQuestion(again);
        QCOMPARE(again.asked, (QList<int> { 3, 2 }));
    }

    void thresholdIsReachedOnlyFromExactlyPointSeven_data()
    {
        QTest::addColumn<double>("probability");
        QTest::addColumn<bool>("reaches");
        QTest::newRow("stored 0.7") << 0.7 << false;
        QTest::newRow("next double above 0.7") << std::nextafter(0.7, 1.0) << true;
        QTest::newRow("0.69") << 0.69 << false;
        QTest::newRow("0.73") << 0.73 << true;
        QTest::newRow("1") << 1.0 << true;
    }
    void thresholdIsReachedOnlyFromExactlyPointSeven()
    {
        QFETCH(double, probability);
        QFETCH(bool, reaches);
        QCOMPARE(ReachesConclusion(probability), reaches);
    }

    void answerLeavingTopAtStoredPointSevenGoesOn()
    {
        RecordingView view;
        interview->ResetInterview(view);
        interview->Diagnoses = { { { 0, 0.0 }, { 1, 0.0 }, { 2, 0.0 }, { 3, 0.0 }, { 4, 0.0 }, { 5, 0.0 },
            { 6, 0.05 }, { 7, 0.25 }, { 8, 0.7 } } };
        double sum = 0.0;
        for (const TDiagnosisRec& r : interview->Diagnoses)
            sum += r.Probability;
        QCOMPARE(sum, 1.0);
        interview->ApplyAnswer(52, AnswerYes, view); // linked to no condition: nothing moves
        QCOMPARE(interview->Diagnoses[8].Probability, 0.7);
        QVERIFY(view.conclusion.isEmpty());
    }

    void interviewCanRunOutOfQuestions()
    {
        // Always giving the answer that leaves the leader weakest keeps every
        // condition below the threshold until the questions run out.
        RecordingView view;
        runInterview(*interview, view, [this](int q) -> std::uint8_t {
            const auto topAfter = [this, q](std::uint8_t answer) {
                double sum = 0.0;
                double top = 0.0;
                for (const TDiagnosisRec& r : interview->Diagnoses) {
                    const TLikelihood& cell = base.Likelihoods[r.Condition][static_cast<std::size_t>(q)];
                    const double p = r.Probability * (answer == AnswerYes ? cell.PYes : cell.PNo);
                    sum += p;
                    top = std::max(top, p);
                }
                return top / sum;
            };
            return topAfter(AnswerYes) < topAfter(AnswerNo) ? AnswerYes : AnswerNo;
        });
        QVERIFY(view.conclusion.isEmpty());
        QVERIFY(interview->AllQuestionsAsked());
        QCOMPARE(view.asked.size(), CardioQuestionCount);
        QCOMPARE(interview->NextQuestion(), 0);
        interview->ChooseNextQuestion(view);
        QCOMPARE(view.asked.size(), CardioQuestionCount);
    }

    void failedConclusionStillLeavesTheUpdatedList()
    {
        RecordingView view;
        view.failConclusion = true;
        interview->ResetInterview(view);
        for (int q : { 3, 2, 25, 54, 55, 1 })
            interview->ApplyAnswer(q, AnswerNo, view);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, interview->ApplyAnswer(5, AnswerNo, view));
        QCOMPARE(interview->Diagnoses[8].Condition, 0);
        QVERIFY(interview->Diagnoses[8].Probability > 0.7);
        QCOMPARE(view.refreshes, 8);
    }

    void invalidAnswersChangeNothing()
    {
        RecordingView view;
        interview->ResetInterview(view);
        interview->ApplyAnswer(0, AnswerYes, view);
        interview->ApplyAnswer(84, AnswerYes, view);
        interview->ApplyAnswer(3, 0, view);
        QCOMPARE(conditionOrder(interview->Diagnoses), conditionOrder(DiagnosisPriors));
        QCOMPARE(view.refreshes, 1);
    }

    void readingQuestions_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected"); // questions 1.. that must match; the rest empty
        const QByteArray eightyThree = questionFile(83, "\r\n");
        QStringList all;
        for (int i = 1; i <= 83; ++i)
            all << QStringLiteral("Вопрос %1?").arg(i);
        QTest::newRow("CR LF between questions") << eightyThree << all;
        QTest::newRow("no line break after the last") << eightyThree.chopped(2) << all;
        QTest::newRow("more than 83") << eightyThree + questionFile(5, "\r\n") << all;
        QTest::newRow("fewer than 83")
            << questionFile(2, "\n") << QStringList { "Вопрос 1?", "Вопрос 2?", "\n" };
        QTest::newRow("question over two lines")
            << CodePage::fromUnicode(QStringLiteral("боли в\r\nгруди?одышка?"))
            << QStringList { "боли вгруди?", "одышка?" };
        QTest::newRow("space after question mark")
            << CodePage::fromUnicode(QStringLiteral("боли? отеки?")) << QStringList { "боли?", " отеки?" };
        QTest::newRow("latin, brackets, quotes, colon dropped") << CodePage::fromUnicode(
            QStringLiteral("пульс (ЧСС): \"100\" bpm; да!?")) << QStringList { "пульс ЧСС 100  да?" };
        QTest::newRow("yo dropped, not replaced")
            << CodePage::fromUnicode(QStringLiteral("тёмные Ёлки?")) << QStringList { "тмные лки?" };
        QTest::newRow("no final question mark") << CodePage::fromUnicode(QStringLiteral("одышка?отеки ног"))
                                                << QStringList { "одышка?", "отеки ног" };
        QTest::newRow("ends on a skipped character")
            << CodePage::fromUnicode(QStringLiteral("одышка?отеки)")) << QStringList { "одышка?", "отеки)" };
        QTest::newRow("tab and digits kept apart") << QByteArray("\t1.5,-2?") << QStringList { "1.5,-2?" };
        QTest::newRow("empty file") << QByteArray() << QStringList {};
        QTest::newRow("only junk") << QByteArray("abc\x01\xff\x98") << QStringList { "\u044f\uFFFD" };
    }
    void readingQuestions()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        base.CardioQuestions[7] = QStringLiteral("left over");
        base.LoadCardioQuestions(buffer);
        QCOMPARE(base.CardioQuestions[0], QString());
        for (int q = 1; q <= CardioQuestionCount; ++q)
            QCOMPARE(base.CardioQuestions[static_cast<std::size_t>(q)],
                q <= expected.size() ? expected[q - 1] : QString());
    }

    void missingQuestionFileLeavesEmptyTexts()
    {
        QTemporaryDir dir;
        base.CardioQuestions[3] = QStringLiteral("old");
        base.LoadCardioQuestions(dir.filePath(QStringLiteral("absent.txt")));
        for (const QString& text : base.CardioQuestions)
            QVERIFY(text.isEmpty());
        RecordingView view;
        interview->ResetInterview(view);
        interview->ChooseNextQuestion(view);
        QCOMPARE(view.asked, QList<int> { 3 });
    }

    void shippedQuestionsAreComplete()
    {
        base = CardioKnowledgeBase::InitCardioKnowledgeBase();
        for (int q = 1; q <= CardioQuestionCount; ++q) {
            const QString& text = base.CardioQuestions[static_cast<std::size_t>(q)];
            QVERIFY2(text.size() > 5 && text.endsWith(QLatin1Char('?')), qPrintable(QString::number(q)));
            QVERIFY2(!text.front().isSpace() && !text.contains(QLatin1Char('\n')), qPrintable(text));
        }
    }

    void whyQuestionNamesTheMostMovedFirst_data()
    {
        QTest::addColumn<QList<int>>("answeredNo");
        QTest::addColumn<int>("question");
        QTest::newRow("start, question 5") << QList<int> {} << 5;
        QTest::newRow("start, question 1") << QList<int> {} << 1;
        QTest::newRow("after 3 and 2, question 25") << QList<int> { 3, 2 } << 25;
        QTest::newRow("linked to no condition") << QList<int> { 3 } << 52;
    }
    void whyQuestionNamesTheMostMovedFirst()
    {
        QFETCH(QList<int>, answeredNo);
        QFETCH(int, question);
        RecordingView view;
        interview->ResetInterview(view);
        for (int q : answeredNo)
            interview->ApplyAnswer(q, AnswerNo, view);
        // How far each answer really moves each condition, by giving it.
        std::array<double, ConditionCount> before {};
        std::array<double, ConditionCount> moved {};
        for (const TDiagnosisRec& r : interview->Diagnoses)
            before[r.Condition] = r.Probability;
        for (const std::uint8_t answer : { AnswerYes, AnswerNo }) {
            CardioInterview answered = *interview;
            answered.ApplyAnswer(question, answer, view);
            for (const TDiagnosisRec& r : answered.Diagnoses)
                moved[r.Condition]
                    = std::max(moved[r.Condition], std::abs(r.Probability - before[r.Condition]));
        }
        const QList<TAnswerEffect> named = interview->QuestionEffects(question);
        QCOMPARE(named.size(), std::min<qsizetype>(3, std::count_if(moved.begin(), moved.end(), [](double m) {
            return m > 1e-9;
        })));
        QList<int> conditions;
        for (qsizetype k = 0; k < named.size(); ++k) {
            conditions << named[k].condition;
            QVERIFY(std::abs(named[k].reach() - moved[named[k].condition]) < 1e-12);
            if (k > 0)
                QVERIFY(moved[named[k - 1].condition] >= moved[named[k].condition]);
        }
        for (int c = 0; c < ConditionCount; ++c) {
            if (!conditions.contains(c) && !named.isEmpty())
                QVERIFY(moved[c] <= moved[named.last().condition]);
        }
        const QString why = interview->WhyQuestion(question).join(QLatin1Char('\n'));
        for (int c : conditions) {
            const QString& name = ConditionNames[c];
            QVERIFY2(why.contains(name.chopped(name.endsWith(QLatin1Char('.')) ? 1 : 0)), qPrintable(why));
        }
    }

private:
    CardioKnowledgeBase base;
    std::optional<CardioInterview> interview;
};

QTEST_APPLESS_MAIN(TestCardio)
#include "tst_cardio.moc"
