#include "platform/widgets/Accessibility.h"
#include "platform/widgets/Contrast.h"
#include "platform/widgets/TextZoom.h"
#include "platform/widgets/WrappingStatusBar.h"

#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void namesAndDescriptionsFromWhatIsShown();
    void readableColours_data();
    void readableColours();
    void zoomByKeysAndWheelIsSharedAndKept();
    void longStatusMessageWrapsAndIsRead();
};

void TestAccess::namesAndDescriptionsFromWhatIsShown()
{
    Accessibility::NameControlsOfEveryWindow();
    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* buddy = new QLabel(QStringLiteral("&Рост:"));
    auto *height = new QSpinBox, *weight = new QSpinBox, *pulse = new QSpinBox;
    buddy->setBuddy(height);
    form->addRow(buddy);
    form->addRow(height);
    form->addRow(QStringLiteral("Вес:"), weight);
    form->addRow(pulse);
    pulse->setStatusTip(QStringLiteral("Пульс в покое"));
    weight->setStatusTip(QStringLiteral("Поставьте флажок"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QStringList({ height->accessibleName(), weight->accessibleName(), pulse->accessibleName() }),
        QStringList({ "Рост", "Вес", "Пульс в покое" }));
    weight->setStatusTip(QStringLiteral("Снимите флажок"));
    weight->setFocus(); // a hint rewritten on a click is read when the control is next reached
    QCOMPARE(weight->accessibleDescription(), QStringLiteral("Снимите флажок"));
}

void TestAccess::readableColours_data()
{
    QTest::addColumn<QColor>("wanted");
    QTest::addColumn<QColor>("background");
    QTest::newRow("red on a dark base") << QColor(Qt::red) << QColor(0x1e, 0x1e, 0x1e);
    QTest::newRow("blue on black") << QColor(0, 0x40, 0xB0) << QColor(Qt::black);
    QTest::newRow("yellow on white") << QColor(Qt::yellow) << QColor(Qt::white);
    QTest::newRow("dark red on white is kept") << QColor(0xC0, 0, 0) << QColor(Qt::white);
}

void TestAccess::readableColours()
{
    QFETCH(QColor, wanted);
    QFETCH(QColor, background);
    const QColor shown = Contrast::Readable(wanted, background);
    QVERIFY2(Contrast::Ratio(shown, background) >= Contrast::TextRatio, qPrintable(shown.name()));
    QVERIFY(Contrast::Ratio(wanted, background) < Contrast::TextRatio ? shown.hsvSaturation() > 0 : shown == wanted);
    // a page's style sheet written for a light page
    QPalette palette(background.lightnessF() < 0.5 ? QColor(0x2b, 0x2b, 0x2b) : QColor(0xf0, 0xf0, 0xf0));
    palette.setColor(QPalette::Base, background);
    const QString css = Contrast::AdaptStyleSheet(
        QStringLiteral("body { color: #26323d; } .urgent { background-color: #fdecea; color: %1; }").arg(wanted.name()),
        palette);
    const QRegularExpression colours(QStringLiteral("background-color: (#\\w+); color: (#\\w+)"));
    const QRegularExpressionMatch urgent = colours.match(css);
    QVERIFY(Contrast::Ratio(QColor(urgent.captured(1)), QColor(urgent.captured(2))) >= Contrast::TextRatio);
    // and a rich text written with its own colours
    QTextDocument explanation;
    explanation.setHtml(QStringLiteral("<p>a <span style='color:%1'>b</span></p>").arg(wanted.name()));
    Contrast::MakeReadable(&explanation, background);
    QTextCursor word(explanation.find(QStringLiteral("b")));
    QVERIFY(Contrast::Ratio(word.charFormat().foreground().color(), background) >= Contrast::TextRatio);
}

void TestAccess::zoomByKeysAndWheelIsSharedAndKept()
{
    int kept = 2;
    TextZoom::SetStore([&kept] { return kept; }, [&kept](int step) { kept = step; });
    QWidget window;
    auto *tips = new QPlainTextEdit(&window), *why = new QPlainTextEdit(&window);
    const qreal size = tips->font().pointSizeF();
    TextZoom::Attach(tips);
    TextZoom::Attach(why);
    QCOMPARE(why->font().pointSizeF(), size + 2);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    tips->setFocus();
    QTest::keyClick(tips, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(std::pair(kept, why->font().pointSizeF()), std::pair(3, size + 3));
    QTest::keyClick(tips, Qt::Key_Minus, Qt::ControlModifier);
    QWheelEvent wheel({ 5, 5 }, tips->mapToGlobal(QPointF(5, 5)), {}, { 0, -120 }, Qt::NoButton, Qt::ControlModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(tips->viewport(), &wheel);
    QCOMPARE(std::pair(kept, tips->font().pointSizeF()), std::pair(1, size + 1));
    QTest::keyClick(tips, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(kept, 0);
}

void TestAccess::longStatusMessageWrapsAndIsRead()
{
    QStatusBar bar;
    bar.resize(300, 25);
    WrappingStatusBar::Install(&bar);
    const QString hint = QStringLiteral("Кликните здесь, чтобы перейти к следующей странице, когда все данные введены");
    bar.showMessage(hint);
    QVERIFY(bar.minimumHeight() >= 2 * bar.fontMetrics().height());
    QCOMPARE(bar.accessibleDescription(), hint);
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
