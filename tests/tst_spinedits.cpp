#include "app/SpinEdits.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>

namespace {

// A spin edit of either kind inside a window with a second field to move the focus to.
struct Fixture {
    QWidget window;
    TSpinEdit* spin;
    QLineEdit* other;
    QLineEdit* edit;

    Fixture(bool tenths, int min, int max, int maxLength)
    {
        auto* layout = new QVBoxLayout(&window);
        spin = tenths ? new TSpin10(&window) : new TSpinEdit(&window);
        spin->setRange(min, max);
        spin->setMaxLength(maxLength);
        other = new QLineEdit(&window);
        layout->addWidget(spin);
        layout->addWidget(other);
        edit = spin->findChild<QLineEdit*>();
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("test window did not become active");
        spin->setFocus();
    }
    void leave() { other->setFocus(Qt::TabFocusReason); }
    QString text() const { return edit->text(); }
};

class StepProbe : public TSpinEdit {
public:
    using TSpinEdit::stepEnabled;
};

} // namespace

class TestSpinEdits : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void typing_data();
    void typing();
    void pasting_data();
    void pasting();
    void leavingClamps_data();
    void leavingClamps();
    void setValueClampsAndFormats_data();
    void setValueClampsAndFormats();
    void readingText_data();
    void readingText();
    void stepping_data();
    void stepping();
    void stepsAtBounds_data();
    void stepsAtBounds();
    void wheelSteps();
    void changedOnEveryTextChange();
    void decimalSeparatorFollowsLocale();
    void separatorsOnLeaving_data();
    void separatorsOnLeaving();
};

void TestSpinEdits::typing_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("digits") << false << 3 << "25"
                            << "25" << 0;
    QTest::newRow("signs accepted") << false << 3 << "-5"
                                    << "-5" << 0;
    QTest::newRow("plus accepted") << false << 3 << "+7"
                                   << "+7" << 0;
    QTest::newRow("letter dropped with beep") << false << 3 << "2a5"
                                              << "25" << 1;
    QTest::newRow("space dropped with beep") << false << 3 << "2 5"
                                             << "25" << 1;
    QTest::newRow("comma kept apart in integers") << false << 3 << "3,5"
                                                  << "3,5" << 0;
    QTest::newRow("dot kept apart in integers") << false << 3 << "70.5"
                                                << "70.5" << 0;
    QTest::newRow("fraction beyond the max length of whole digits") << false << 3 << "300.5"
                                                                    << "300.5" << 0;
    QTest::newRow("second separator refused") << false << 3 << "7.0.5"
                                              << "7.05" << 0;
    QTest::newRow("max length stops fourth digit") << false << 3 << "3001"
                                                   << "300" << 0;
    QTest::newRow("out of range may stand") << false << 3 << "999"
                                            << "999" << 0;
    QTest::newRow("tenths take the comma") << true << 4 << "36,6"
                                           << "36,6" << 0;
    QTest::newRow("tenths take the dot") << true << 4 << "38.5"
                                         << "38.5" << 0;
    QTest::newRow("tenths max length") << true << 4 << "36,65"
                                       << "36,6" << 0;
}

void TestSpinEdits::typing()
{
    QFETCH(bool, tenths);
    QFETCH(int, maxLength);
    QFETCH(QString, keys);
    Fixture f(tenths, 0, 1000, maxLength);
    f.spin->selectAll();
    QSignalSpy beeps(f.spin, &TSpinEdit::refused);
    QTest::keyClicks(f.spin, keys);
    QTEST(f.text(), "text");
    QTEST(int(beeps.count()), "beeps");

    // Enter is the one control key that is refused.
    QTest::keyClick(f.spin, Qt::Key_Return);
    QTEST(int(beeps.count()) - 1, "beeps");
    QTEST(f.text(), "text");
}

void TestSpinEdits::pasting_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");

    QTest::newRow("number pasted") << "42"
                                   << "42";
    QTest::newRow("letters refused") << "4a"
                                     << "70";
    QTest::newRow("longer than max length refused") << "1234"
                                                    << "70";
}

void TestSpinEdits::pasting()
{
    QFETCH(QString, pasted);
    Fixture f(false, 30, 300, 3);
    f.spin->setValue(70);
    QGuiApplication::clipboard()->setText(pasted);
    if (QGuiApplication::clipboard()->text() != pasted)
        QSKIP("no clipboard here");
    f.spin->selectAll();
    QTest::keyClick(f.spin, Qt::Key_V, Qt::ControlModifier);
    QTEST(f.text(), "text");
}

void TestSpinEdits::leavingClamps_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("weight 25 becomes 30") << false << 30 << 300 << "25"
                                          << "30" << 30;
    QTest::newRow("weight 301 becomes 300") << false << 30 << 300 << "301"
                                            << "300" << 300;
    QTest::newRow("weight 300 stays") << false << 30 << 300 << "300"
                                      << "300" << 300;
    QTest::newRow("height 109 becomes 110") << false << 110 << 210 << "109"
                                            << "110" << 110;
    QTest::newRow("not a number takes back the value before") << false << 30 << 300 << "-"
                                                              << "0" << 0;
    QTest::newRow("no range when min equals max") << false << 0 << 0 << "999"
                                                  << "999" << 999;
    QTest::newRow("temperature 43,5 becomes 43,0") << true << 320 << 430 << "43,5"
                                                   << "43,0" << 430;
    QTest::newRow("temperature 31,9 becomes 32,0") << true << 320 << 430 << "31,9"
                                                   << "32,0" << 320;
    QTest::newRow("lone comma takes back the value before") << true << 320 << 430 << ","
                                                            << "0,0" << 0;
    QTest::newRow("temperature 38.5 is 38,5") << true << 320 << 430 << "38.5"
                                              << "38,5" << 385;
}

void TestSpinEdits::leavingClamps()
{
    QFETCH(bool, tenths);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, keys);
    Fixture f(tenths, min, max, 4);
    f.spin->selectAll();
    QTest::keyClicks(f.spin, keys);
    f.leave();
    QVERIFY(!f.spin->hasFocus());
    QTEST(f.text(), "text");
    QTEST(f.spin->value(), "value");
}

void TestSpinEdits::setValueClampsAndFormats_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("set");
    QTest::addColumn<QString>("text");

    QTest::newRow("below min") << false << 30 << 300 << 25 << "30";
    QTest::newRow("above max") << false << 30 << 300 << 301 << "300";
    QTest::newRow("min equals max shows as is") << false << 5 << 5 << -40 << "-40";
    QTest::newRow("tenths") << true << 320 << 430 << 366 << "36,6";
    QTest::newRow("tenths clamp") << true << 10 << 200 << 5 << "1,0";
    QTest::newRow("negative tenths") << true << 0 << 0 << -5 << "-0,5";
    QTest::newRow("no group separator") << true << 0 << 0 << 123456 << "12345,6";
}

void TestSpinEdits::setValueClampsAndFormats()
{
    QFETCH(bool, tenths);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, set);
    Fixture f(tenths, min, max, 4);
    f.spin->setValue(set);
    QTEST(f.text(), "text");
}

void TestSpinEdits::readingText_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("integer") << false << "76" << 76;
    QTest::newRow("integer with plus") << false << "+7" << 7;
    QTest::newRow("empty reads min") << false << "" << 30;
    QTest::newRow("sign alone reads min") << false << "-" << 30;
    QTest::newRow("two signs read min") << false << "--5" << 30;
    QTest::newRow("overflow reads min") << false << "99999999999" << 30;
    QTest::newRow("tenths") << true << "36,6" << 366;
    QTest::newRow("tenths without decimals") << true << "5" << 50;
    QTest::newRow("tenths leading comma") << true << ",5" << 5;
    QTest::newRow("tenths rounded") << true << "36,66" << 367;
    QTest::newRow("tenths negative") << true << "-1,5" << -15;
    QTest::newRow("two commas read min") << true << "1,2,3" << 30;
    QTest::newRow("exponent reads min") << true << "1e3" << 30;
    QTest::newRow("tenths overflow reads min") << true << "999999999999" << 30;
}

void TestSpinEdits::readingText()
{
    QFETCH(bool, tenths);
    QFETCH(QString, text);
    Fixture f(tenths, 30, 300, 0);
    f.edit->setText(text);
    QTEST(f.spin->value(), "value");
}

void TestSpinEdits::stepping_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    QTest::newRow("up") << false << 299 << int(Qt::Key_Up) << false << "300" << 0;
    QTest::newRow("up at max stays") << false << 300 << int(Qt::Key_Up) << false << "300" << 0;
    QTest::newRow("down at min stays") << false << 30 << int(Qt::Key_Down) << false << "30" << 0;
    QTest::newRow("down") << false << 31 << int(Qt::Key_Down) << false << "30" << 0;
    QTest::newRow("read-only beeps") << false << 70 << int(Qt::Key_Up) << true << "70" << 1;
    QTest::newRow("tenths up by one tenth") << true << 366 << int(Qt::Key_Up) << false << "36,7" << 0;
    QTest::newRow("tenths read-only beeps") << true << 366 << int(Qt::Key_Down) << true << "36,6" << 1;
}

void TestSpinEdits::stepping()
{
    QFETCH(bool, tenths);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(bool, readOnly);
    Fixture f(tenths, 30, tenths ? 430 : 300, 4);
    f.spin->setValue(start);
    f.spin->setReadOnly(readOnly);
    QSignalSpy beeps(f.spin, &TSpinEdit::refused);
    QTest::keyClick(f.spin, Qt::Key(key));
    QTEST(f.text(), "text");
    QTEST(int(beeps.count()), "beeps");
}

void TestSpinEdits::stepsAtBounds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");

    QTest::newRow("inside") << "70" << true << true;
    QTest::newRow("at max") << "300" << false << true;
    QTest::newRow("above max while typing") << "999" << false << true;
    QTest::newRow("at min") << "30" << true << false;
    QTest::newRow("below min while typing") << "25" << true << false;
    QTest::newRow("not a number reads min") << "-" << true << false;
}

void TestSpinEdits::stepsAtBounds()
{
    QFETCH(QString, text);
    StepProbe spin;
    spin.setRange(30, 300);
    spin.findChild<QLineEdit*>()->setText(text);
    QTEST(bool(spin.stepEnabled() & QAbstractSpinBox::StepUpEnabled), "up");
    QTEST(bool(spin.stepEnabled() & QAbstractSpinBox::StepDownEnabled), "down");

    // Typed out of range, a step lands back inside the range.
    spin.stepBy(1);
    QVERIFY(spin.value() >= 30 && spin.value() <= 300);
}

void TestSpinEdits::wheelSteps()
{
    Fixture f(false, 30, 300, 3);
    f.spin->setValue(70);
    const QPointF at(f.spin->rect().center());
    QWheelEvent wheel(at, f.spin->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.spin, &wheel);
    QCOMPARE(f.spin->value(), 71);
}

void TestSpinEdits::changedOnEveryTextChange()
{
    Fixture f(false, 30, 300, 3);
    f.spin->setValue(70);
    QSignalSpy changed(f.spin, &TSpinEdit::changed);

    f.spin->setValue(80);
    QCOMPARE(changed.count(), 1);
    // The same value again still notifies, so handlers that recompute from the field run.
    f.spin->setValue(80);
    QCOMPARE(changed.count(), 2);

    f.spin->selectAll();
    QTest::keyClicks(f.spin, "25");
    QCOMPARE(changed.count(), 4);
    f.leave();
    QCOMPARE(f.text(), QStringLiteral("30"));
    QCOMPARE(changed.count(), 5);

    f.spin->setFocus();
    QTest::keyClick(f.spin, Qt::Key_Up);
    QCOMPARE(changed.count(), 6);
}

void TestSpinEdits::decimalSeparatorFollowsLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    auto restore = qScopeGuard([] { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); });
    Fixture f(true, 320, 430, 4);
    f.spin->setValue(366);
    QCOMPARE(f.text(), QStringLiteral("36.6"));

    f.spin->selectAll();
    QSignalSpy beeps(f.spin, &TSpinEdit::refused);
    QTest::keyClicks(f.spin, "37,2");
    QCOMPARE(f.text(), QStringLiteral("37,2"));
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(f.spin->value(), 372);

    f.spin->selectAll();
    QTest::keyClicks(f.spin, "37.2");
    QCOMPARE(f.spin->value(), 372);
}

// What the user typed with either separator, what the field reads while
// typing, what it holds after leaving, and what it says about the change.
void TestSpinEdits::separatorsOnLeaving_data()
{
    QTest::addColumn<bool>("tenths");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("typing");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("temperature 38.5") << true << 320 << 430 << "38.5" << 385 << "38,5"
                                      << "";
    QTest::newRow("temperature 38,5") << true << 320 << 430 << "38,5" << 385 << "38,5"
                                      << "";
    QTest::newRow("leucocytes 12.5") << true << 10 << 200 << "12.5" << 125 << "12,5"
                                     << "";
    QTest::newRow("temperature 45.1 clamped, told")
        << true << 320 << 430 << "45.1" << 451 << "43,0"
        << "Введено 45.1 — вне допустимых пределов от 32,0 до 43,0; записано 43,0";
    QTest::newRow("weight 70.5 rounded, told")
        << false << 30 << 300 << "70.5" << 71 << "71"
        << "Введено 70.5 — в этом поле только целые числа; записано 71";
    QTest::newRow("weight 70,4 rounded, told")
        << false << 30 << 300 << "70,4" << 70 << "70"
        << "Введено 70,4 — в этом поле только целые числа; записано 70";
    QTest::newRow("weight 70. written whole") << false << 30 << 300 << "70." << 70 << "70"
                                              << "";
    QTest::newRow("weight 25 clamped, told")
        << false << 30 << 300 << "25" << 25 << "30"
        << "Введено 25 — вне допустимых пределов от 30 до 300; записано 30";
    QTest::newRow("pulse 76 untouched") << false << 30 << 200 << "76" << 76 << "76"
                                        << "";
    QTest::newRow("temperature emptied, taken back, told")
        << true << 320 << 430 << "\b" << 320 << "37,5"
        << "Поле оставлено пустым — возвращено прежнее значение 37,5";
    QTest::newRow("pulse not a number, taken back, told")
        << false << 30 << 200 << "-" << 30 << "115"
        << "Введено - — это не число; возвращено прежнее значение 115";
}

void TestSpinEdits::separatorsOnLeaving()
{
    QFETCH(bool, tenths);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, keys);
    QFETCH(QString, message);
    Fixture f(tenths, min, max, tenths ? 4 : 3);
    f.spin->setValue((min + max) / 2);
    f.spin->selectAll();
    QTest::keyClicks(f.spin, keys);
    QTEST(f.spin->value(), "typing");
    QSignalSpy adjusted(f.spin, &TSpinEdit::adjusted);
    f.leave();
    QTEST(f.text(), "text");
    QCOMPARE(adjusted.count(), message.isEmpty() ? 0 : 1);
    // A number the field did not keep is kept as typed, also once taken back.
    const std::optional<double> typed = message.contains(QStringLiteral("записано"))
        ? std::optional(keys.replace(u',', u'.').toDouble())
        : std::nullopt;
    QCOMPARE(f.spin->typedNumber(), typed);
    f.spin->setFocus();
    f.spin->selectAll();
    QTest::keyClick(f.spin, Qt::Key_Backspace);
    f.leave();
    QCOMPARE(f.spin->typedNumber(), typed);
    if (!message.isEmpty())
        QCOMPARE(adjusted.first().first().toString(), message);
}

QTEST_MAIN(TestSpinEdits)
#include "tst_spinedits.moc"
