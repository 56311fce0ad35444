#include "app/pages/RecordPage.h"

#include "app/SpinEdits.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>

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
    show(record);
    follow(record);
    m_loading = false;
}

void RecordPage::setGiven(const QWidget* control, bool given)
{
    if (given)
        m_given.insert(control);
    else
        m_given.remove(control);
}

void RecordPage::watch(QWidget* control)
{
    const auto note = [this, control] { noteChange(control); };
    if (auto* spin = qobject_cast<TSpinEdit*>(control)) {
        connect(spin, &TSpinEdit::changed, this, note);
        // What was typed out of range is known only once the field was left.
        connect(spin, &TSpinEdit::adjusted, this, note);
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        connect(button, &QAbstractButton::toggled, this, note);
    else if (auto* picker = qobject_cast<QDateTimeEdit*>(control))
        connect(picker, &QDateTimeEdit::dateTimeChanged, this, note);
}

void RecordPage::noteChange(const QWidget* control)
{
    if (m_loading)
        return;
    m_given.insert(control);
    emit changed();
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
