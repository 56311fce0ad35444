#include "app/SpinEdits.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// "." and "," both separate the fraction, as does the locale's own separator.
bool isDecimalSeparator(QChar c)
{
    return c == u'.' || c == u',' || QLocale().decimalPoint() == QString(c);
}

// Optional sign, digits, at most one separator and digits, with at least one
// digit: the number it writes, or none.
std::optional<double> parseDecimal(const QString& text)
{
    QString plain = text.trimmed();
    const qsizetype start = (plain.startsWith(u'+') || plain.startsWith(u'-')) ? 1 : 0;
    int separators = 0;
    bool digits = false;
    for (qsizetype i = start; i < plain.size(); ++i) {
        if (isAsciiDigit(plain.at(i))) {
            digits = true;
        } else if (isDecimalSeparator(plain.at(i))) {
            plain[i] = u'.';
            ++separators;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || separators > 1)
        return std::nullopt;
    bool ok = false;
    const double number = plain.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

// The part of a text before its decimal separator.
qsizetype wholePartLength(const QString& text)
{
    const auto separator = std::find_if(text.cbegin(), text.cend(), isDecimalSeparator);
    return separator - text.cbegin();
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QAbstractSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        m_typed.reset();
        emit changed();
    });
    setValue(0);
}

int TSpinEdit::value() const
{
    return numberFromText(lineEdit()->text()).value_or(m_min);
}

void TSpinEdit::setValue(int value, std::optional<double> typed)
{
    m_kept = clamped(value);
    showNumber(m_kept);
    m_keptTyped = m_typed = typed;
}

void TSpinEdit::showNumber(int number)
{
    m_typed.reset();
    const QString text = textFromNumber(number);
    if (lineEdit()->text() == text)
        emit changed();
    else
        lineEdit()->setText(text);
}

void TSpinEdit::setMinValue(int min)
{
    m_min = min;
    updateGeometry();
}

void TSpinEdit::setMaxValue(int max)
{
    m_max = max;
    updateGeometry();
}

void TSpinEdit::setRange(int min, int max)
{
    m_min = std::min(min, max);
    m_max = std::max(min, max);
    updateGeometry();
}

void TSpinEdit::setMaxLength(int length)
{
    m_maxLength = std::max(length, 0);
    updateGeometry();
}

int TSpinEdit::clamped(int value) const
{
    if (m_min == m_max)
        return value;
    return std::clamp(value, std::min(m_min, m_max), std::max(m_min, m_max));
}

void TSpinEdit::stepBy(int steps)
{
    if (isReadOnly()) {
        beep();
        return;
    }
    const long long next = static_cast<long long>(value()) + steps;
    showNumber(clamped(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX))));
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const
{
    // Read-only fields keep their buttons so that a click beeps.
    if (m_min == m_max)
        return StepUpEnabled | StepDownEnabled;
    const int current = value();
    StepEnabled steps = StepNone;
    if (current < std::max(m_min, m_max))
        steps |= StepUpEnabled;
    if (current > std::min(m_min, m_max))
        steps |= StepDownEnabled;
    return steps;
}

QValidator::State TSpinEdit::validate(QString& input, int&) const
{
    const qsizetype counted = unitsPerWhole() == 1 ? wholePartLength(input) : input.size();
    if (m_maxLength > 0 && counted > m_maxLength)
        return QValidator::Invalid;
    if (std::count_if(input.cbegin(), input.cend(), isDecimalSeparator) > 1)
        return QValidator::Invalid;
    const bool allNumberChars
        = std::all_of(input.cbegin(), input.cend(), [this](QChar c) { return isNumberChar(c); });
    return allNumberChars ? QValidator::Acceptable : QValidator::Invalid;
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        event->accept();
        return;
    case Qt::Key_Down:
        stepBy(-1);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        beep();
        event->accept();
        return;
    default:
        break;
    }
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString typed = event->text();
    const bool refusedChar = std::any_of(typed.cbegin(), typed.cend(),
        [this](QChar c) { return c.unicode() >= 0x20 && c.unicode() != 0x7f && !isNumberChar(c); });
    if (!shortcut && refusedChar) {
        beep();
        event->accept();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void TSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    // Switching to another program or opening a menu is not leaving the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    acceptTyped();
    emit left();
    m_kept = value();
    m_keptTyped = m_typed;
}

void TSpinEdit::takeBack(const QString& reason)
{
    showNumber(m_kept);
    m_typed = m_keptTyped;
    emit adjusted(reason);
    emit takenBack();
}

void TSpinEdit::acceptTyped()
{
    const QString typed = lineEdit()->text();
    const std::optional<double> units = unitsFromText(typed);
    const std::optional<int> number = numberFromText(typed);
    if (!units || !number) {
        // An emptied field never turns silently into the bottom of its range.
        const QString before = textFromNumber(m_kept);
        takeBack(typed.trimmed().isEmpty()
                ? QStringLiteral("Поле оставлено пустым — возвращено прежнее значение %1").arg(before)
                : QStringLiteral("Введено %1 — это не число; возвращено прежнее значение %2")
                      .arg(typed.trimmed(), before));
        return;
    }
    const int kept = clamped(*number);
    if (kept == *units) {
        // "70." or "38.5" in a Russian locale: the same number, written as the field writes it.
        if (std::any_of(typed.cbegin(), typed.cend(), isDecimalSeparator) && typed != textFromNumber(kept))
            showNumber(kept);
        return;
    }
    showNumber(kept);
    m_typed = *units / unitsPerWhole();
    const QString now = textFromNumber(kept);
    if (kept != *number) {
        emit adjusted(QStringLiteral("Введено %1 — вне допустимых пределов от %2 до %3; записано %4")
                          .arg(typed.trimmed(), textFromNumber(std::min(m_min, m_max)),
                              textFromNumber(std::max(m_min, m_max)), now));
    } else {
        emit adjusted(QStringLiteral("Введено %1 — в этом поле %2; записано %3")
                          .arg(typed.trimmed(),
                              unitsPerWhole() == 1 ? QStringLiteral("только целые числа")
                                                   : QStringLiteral("одна цифра после запятой"),
                              now));
    }
}

void TSpinEdit::beep()
{
    QApplication::beep();
    emit refused();
}

QString TSpinEdit::textFromNumber(int number) const
{
    return QString::number(number);
}

std::optional<double> TSpinEdit::unitsFromText(const QString& text) const
{
    const std::optional<double> number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    const double units = *number * unitsPerWhole();
    if (std::fabs(units) >= static_cast<double>(INT_MAX))
        return std::nullopt;
    return units;
}

std::optional<int> TSpinEdit::numberFromText(const QString& text) const
{
    const std::optional<double> units = unitsFromText(text);
    return units ? std::optional<int>(static_cast<int>(std::lround(*units))) : std::nullopt;
}

bool TSpinEdit::isNumberChar(QChar c) const
{
    return isAsciiDigit(c) || c == u'+' || c == u'-' || isDecimalSeparator(c);
}

QSize TSpinEdit::hintFor(QSize baseHint) const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    int width = std::max(
        metrics.horizontalAdvance(textFromNumber(m_min)), metrics.horizontalAdvance(textFromNumber(m_max)));
    if (m_maxLength > 0 && m_maxLength <= 12)
        width = std::max(width, metrics.horizontalAdvance(QString(m_maxLength, u'0')));
    width += metrics.horizontalAdvance(u' ') + 2;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize contents(width, lineEdit()->sizeHint().height());
    const QSize hint = style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
    return QSize(std::max(hint.width(), baseHint.width()), baseHint.height());
}

QSize TSpinEdit::sizeHint() const
{
    return hintFor(QAbstractSpinBox::sizeHint());
}

QSize TSpinEdit::minimumSizeHint() const
{
    return hintFor(QAbstractSpinBox::minimumSizeHint());
}

TSpin10::TSpin10(QWidget* parent)
    : TSpinEdit(parent)
{
    setValue(0);
}

QString TSpin10::textFromNumber(int number) const
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString magnitude = locale.toString(std::abs(static_cast<double>(number)) / 10.0, 'f', 1);
    return number < 0 ? u'-' + magnitude : magnitude;
}
