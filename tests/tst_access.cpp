#include "platform/widgets/Accessibility.h"
#include "platform/widgets/Contrast.h"
#include "platform/widgets/TextZoom.h"
#include "platform/widgets/WrappingStatusBar.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

class TestAccess : public QObject {
    Q_OBJECT

private slots:
    void namesFromWhatTheUserSees_data();
    void namesFromWhatTheUserSees();
    void descriptionFollowsTheHint();
    void readableColours_data();
    void readableColours();
    void zoomByKeysAndWheelIsShared();
    void longStatusMessageWrapsAndIsRead();
};

void TestAccess::namesFromWhatTheUserSees_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("buddy label without & and colon") << "buddy" << "Рост";
    QTest::newRow("form row's label") << "form" << "Вес";
    QTest::newRow("only a hint") << "hint" << "Введите пульс";
    QTest::newRow("a name set in the form is kept") << "set" << "Имя из формы";
    QTest::newRow("nothing to name it by") << "none" << "";
}

void TestAccess::namesFromWhatTheUserSees()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* control = new QSpinBox;
    if (kind == "buddy") {
        auto* label = new QLabel(QStringLiteral("&Рост:"));
        label->setBuddy(control);
        form->addRow(label);
        form->addRow(control);
    } else {
        form->addRow(kind == "form" ? QStringLiteral("Вес:") : QString(), control);
    }
    if (kind == "hint")
        control->setStatusTip(QStringLiteral("Введите пульс"));
    if (kind == "set")
        control->setAccessibleName(QStringLiteral("Имя из формы"));
    Accessibility::NameControls(&window);
    QCOMPARE(control->accessibleName(), name);
}

void TestAccess::descriptionFollowsTheHint()
{
    Accessibility::NameControlsOfEveryWindow();
    QWidget window;
    auto* box = new QPushButton(QStringLiteral("Да"), &window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    box->setStatusTip(QStringLiteral("Поставьте флажок"));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(box->accessibleDescription(), QStringLiteral("Поставьте флажок"));
    box->setStatusTip(QStringLiteral("Снимите флажок"));
    other->setFocus();
    box->setFocus();
    QCOMPARE(box->accessibleDescription(), QStringLiteral("Снимите флажок"));
}

void TestAccess::readableColours_data()
{
    QTest::addColumn<QColor>("wanted");
    QTest::addColumn<QColor>("background");
    QTest::newRow("red on a dark base") << QColor(Qt::red) << QColor(0x1e, 0x1e, 0x1e);
    QTest::newRow("dark red on black") << QColor(0xB0, 0, 0x20) << QColor(Qt::black);
    QTest::newRow("yellow on white") << QColor(Qt::yellow) << QColor(Qt::white);
    QTest::newRow("blue on a dark tint") << QColor(0, 0x40, 0xB0) << QColor(0x1e, 0x22, 0x2e);
    QTest::newRow("red on white stays red") << QColor(0xC0, 0, 0) << QColor(Qt::white);
}

void TestAccess::readableColours()
{
    QFETCH(QColor, wanted);
    QFETCH(QColor, background);
    const QColor shown = Contrast::Readable(wanted, background);
    QVERIFY2(Contrast::Ratio(shown, background) >= Contrast::TextRatio, qPrintable(shown.name()));
    if (Contrast::Ratio(wanted, background) >= Contrast::TextRatio)
        QCOMPARE(shown, wanted);
    else // still a colour, not plain black or white
        QVERIFY(shown.hsvSaturation() > 0);
}

void TestAccess::zoomByKeysAndWheelIsShared()
{
    int kept = 2;
    TextZoom::SetStore([&kept] { return kept; }, [&kept](int step) { kept = step; });
    QWidget window;
    auto* tips = new QPlainTextEdit(&window);
    auto* why = new QPlainTextEdit(&window);
    const qreal size = tips->font().pointSizeF();
    TextZoom::Attach(tips);
    TextZoom::Attach(why);
    QCOMPARE(why->font().pointSizeF(), size + 2);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    tips->setFocus();
    QTest::keyClick(tips, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(kept, 3);
    QCOMPARE(why->font().pointSizeF(), size + 3);
    QTest::keyClick(tips, Qt::Key_Minus, Qt::ControlModifier);
    QWheelEvent wheel(QPointF(5, 5), tips->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
        Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(tips->viewport(), &wheel);
    QCOMPARE(kept, 1);
    QCOMPARE(tips->font().pointSizeF(), size + 1);
    QTest::keyClick(tips, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(kept, 0);
}

void TestAccess::longStatusMessageWrapsAndIsRead()
{
    QStatusBar bar;
    bar.resize(300, 25);
    WrappingStatusBar::Install(&bar);
    const int oneLine = bar.sizeHint().height();
    const QString hint = QStringLiteral("Кликните здесь, чтобы перейти к следующей странице, когда все данные введены");
    bar.showMessage(hint);
    QVERIFY(bar.minimumHeight() >= 2 * bar.fontMetrics().height());
    QVERIFY(bar.minimumHeight() > oneLine);
    QCOMPARE(bar.accessibleDescription(), hint);
}

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
