#pragma once

#include <QAbstractSpinBox>

#include <optional>

// Integer spin edit of the examination pages. Unlike QSpinBox it lets any
// number up to the max length stand in the field while the user types (the
// window shows out-of-range values in red meanwhile) and only clamps when the
// field is left. min == max means "no range": nothing is clamped then.
// Both "." and "," are taken as a decimal separator whatever the locale, so
// that "70.5" is never read as 705: a whole-number field reads a fraction
// rounded to the nearest whole and writes the whole number when left. A field
// left empty, or holding no number, takes back the value it held before. Every
// change made on leaving is told through adjusted().
class TSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY changed USER true)

public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // The number in the field, unclamped; a text that is not a number reads as the minimum.
    int value() const;
    // Clamps (unless min == max), shows, and always signals changed(); `typed`
    // is the number the person typed when the field kept this one instead.
    void setValue(int value, std::optional<double> typed = std::nullopt);

    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    void setMinValue(int min);
    void setMaxValue(int max);
    // Does not touch the current text: an out-of-range value is clamped when the field is left.
    void setRange(int min, int max);

    // Characters the user may type; 0 means unlimited. In a whole-number field
    // a fraction typed after the separator does not count.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length);

    // The number typed when leaving the field last kept another (brought it
    // into the range or rounded it), in whole units (tenths are a fraction);
    // none again once the text changes.
    std::optional<double> typedNumber() const { return m_typed; }
    // Puts back the value the field held when it was last left or set, with
    // the number typed then, and tells why.
    void takeBack(const QString& reason);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Every change of the text: typing, setValue, stepping, clamping on leaving.
    void changed();
    // A key or a step was refused and the field beeped.
    void refused();
    // Leaving the field changed the number typed (brought into the range or
    // rounded); the message says what was typed and what the field now holds.
    void adjusted(const QString& message);
    // The field was left and its number stands (after any change above).
    void left();
    // takeBack() put back the value the field held before.
    void takenBack();

protected:
    virtual QString textFromNumber(int number) const;
    // Units of the value per whole number typed: 1, or 10 for tenths.
    virtual int unitsPerWhole() const { return 1; }
    std::optional<int> numberFromText(const QString& text) const;
    // The text as a number of units, before rounding to a whole unit.
    std::optional<double> unitsFromText(const QString& text) const;
    bool isNumberChar(QChar c) const;

    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void beep();
    // Writes the typed text as the field keeps it, telling any change.
    void acceptTyped();
    // Shows the number without making it the value to take back.
    void showNumber(int number);
    int clamped(int value) const;
    QSize hintFor(QSize baseHint) const;

    int m_min = 0;
    int m_max = 0;
    int m_maxLength = 0;
    int m_kept = 0;
    std::optional<double> m_keptTyped;
    std::optional<double> m_typed;
};

// Spin edit holding a whole number of tenths, shown as value / 10 with one
// decimal and the user's decimal separator.
class TSpin10 : public TSpinEdit {
    Q_OBJECT

public:
    explicit TSpin10(QWidget* parent = nullptr);

protected:
    QString textFromNumber(int number) const override;
    int unitsPerWhole() const override { return 10; }
};
