#include "app/pages/RecordPage.h"

#include "app/SpinEdits.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollArea>

namespace {

// The four-digit year keeps dates unambiguous whatever the locale's short format.
QString DateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// A click into a date selects the day, month or year under the pointer, so
// that the digits typed next replace it; a dragged selection is left alone.
class DateSectionOnClick final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            auto* edit = qobject_cast<QLineEdit*>(watched);
            auto* picker = edit ? qobject_cast<QDateTimeEdit*>(edit->parentWidget()) : nullptr;
            if (picker && !edit->hasSelectedText())
                picker->setSelectedSection(picker->currentSection());
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void RecordPage::load(const ExaminationRecord& record)
{
    m_loading = true;
    m_given.clear();
    m_givenWhenLeft.clear();
    show(record);
    follow(record);
    m_loading = false;
}

void RecordPage::setGiven(const QWidget* control, bool given)
{
    if (m_loading)
        m_givenWhenLeft[control] = given;
    if (given)
        m_given.insert(control);
    else
        m_given.remove(control);
}

void RecordPage::keepRange(TSpinEdit* field, NumberField range)
{
    const TFieldRange kept = FieldRange(range);
    field->setRange(kept.min, kept.max);
}

void RecordPage::showNumber(TSpinEdit* field, const Given<int>& value)
{
    field->setValue(value.value, value.typed);
    setGiven(field, value.given);
}

Given<int> RecordPage::numberOf(const TSpinEdit* field) const
{
    return { field->value(), isGiven(field), field->typedNumber() };
}

void RecordPage::watch(QWidget* control)
{
    const auto note = [this, control] { noteChange(control); };
    if (auto* spin = qobject_cast<TSpinEdit*>(control)) {
        connect(spin, &TSpinEdit::changed, this, note);
        // What was typed out of range is known only once the field was left.
        connect(spin, &TSpinEdit::adjusted, this, [this, spin](const QString& message) {
            noteChange(spin);
            tellAdjustment(spin, message);
        });
        connect(spin, &TSpinEdit::left, this, [this, spin] { m_givenWhenLeft[spin] = isGiven(spin); });
        connect(spin, &TSpinEdit::takenBack, this, [this, spin] {
            setGiven(spin, m_givenWhenLeft.value(spin, false));
            if (!m_loading)
                emit changed();
        });
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::toggled, this, note);
    else if (auto* picker = qobject_cast<QDateTimeEdit*>(control))
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, note);
}

void RecordPage::noteChange(const QWidget* control)
{
    if (control == m_toldFor && m_told) {
        m_told->hide();
        m_toldFor = nullptr;
    }
    if (m_loading)
        return;
    m_given.insert(control);
    emit changed();
}

void RecordPage::tellAdjustment(const QWidget* field, const QString& message)
{
    emit adjusted(message);
    if (!m_told) {
        // Under the fields of the page's panel, across all its columns; the
        // frame may have put the panel into a scroll area.
        QWidget* panel = field->parentWidget();
        while (panel->parentWidget() != this && !panel->objectName().startsWith(QLatin1String("pnl")))
            panel = panel->parentWidget();
        auto* grid = qobject_cast<QGridLayout*>(panel->layout());
        auto* box = qobject_cast<QBoxLayout*>(panel->layout());
        if (!grid && !box)
            return;
        m_told = new QLabel(panel);
        m_told->setObjectName(QStringLiteral("lblTold"));
        m_told->setWordWrap(true);
        QFont font = m_told->font();
        font.setItalic(true);
        m_told->setFont(font);
        if (grid)
            grid->addWidget(m_told, grid->rowCount(), 0, 1, grid->columnCount());
        else
            box->addWidget(m_told);
    }
    m_told->setText(message);
    m_told->show();
    m_toldFor = field;
    QWidget* panel = m_told->parentWidget();
    panel->resize(panel->sizeHint());
    // Where the panel scrolls, the words are brought into view as well.
    for (QWidget* outer = panel->parentWidget(); outer; outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer)) {
            area->ensureWidgetVisible(m_told);
            break;
        }
    }
}

void RecordPage::setHint(QCheckBox* box, const QString& hint)
{
    box->setStatusTip(hint);
    emit hintRenewed(box);
}

void RecordPage::prepareDatePicker(QDateTimeEdit* picker)
{
    picker->setDisplayFormat(DateFormat());
    picker->findChild<QLineEdit*>()->installEventFilter(new DateSectionOnClick(picker));
}
