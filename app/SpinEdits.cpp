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

// Optional sign, then digits; returns the digits' position or -1.
qsizetype signedDigitsStart(const QString& text)
{
    const qsizetype start = (text.startsWith(u'+') || text.startsWith(u'-')) ? 1 : 0;
    return text.size() > start ? start : -1;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QAbstractSpinBox(parent)
{
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::changed);
    setValue(0);
}

int TSpinEdit::value() const
{
    return numberFromText(lineEdit()->text()).value_or(m_min);
}

void TSpinEdit::setValue(int value)
{
    const QString text = textFromNumber(clamped(value));
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
    setValue(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX)));
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
    if (m_maxLength > 0 && input.size() > m_maxLength)
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
    const std::optional<int> number = numberFromText(lineEdit()->text());
    if (number && clamped(*number) != *number)
        setValue(*number);
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

std::optional<int> TSpinEdit::numberFromText(const QString& text) const
{
    const QString trimmed = text.trimmed();
    const qsizetype start = signedDigitsStart(trimmed);
    if (start < 0 || !std::all_of(trimmed.cbegin() + start, trimmed.cend(), isAsciiDigit))
        return std::nullopt;
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

bool TSpinEdit::isNumberChar(QChar c) const
{
    return isAsciiDigit(c) || c == u'+' || c == u'-';
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

std::optional<int> TSpin10::numberFromText(const QString& text) const
{
    // Parsed by hand so that only sign, digits and the user's decimal separator count.
    QString plain = text.trimmed();
    const QString separator = QLocale().decimalPoint();
    if (separator != u".")
        plain.replace(separator, QStringLiteral("."));
    const qsizetype start = signedDigitsStart(plain);
    if (start < 0 || plain.count(u'.') > 1 || std::none_of(plain.cbegin(), plain.cend(), isAsciiDigit))
        return std::nullopt;
    if (!std::all_of(
            plain.cbegin() + start, plain.cend(), [](QChar c) { return isAsciiDigit(c) || c == u'.'; }))
        return std::nullopt;
    bool ok = false;
    const double tenths = plain.toDouble(&ok) * 10.0;
    if (!ok || !std::isfinite(tenths) || std::fabs(tenths) >= static_cast<double>(INT_MAX))
        return std::nullopt;
    return static_cast<int>(std::lround(tenths));
}

bool TSpin10::isNumberChar(QChar c) const
{
    return TSpinEdit::isNumberChar(c) || QLocale().decimalPoint() == QString(c);
}
