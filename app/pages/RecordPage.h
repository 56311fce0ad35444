#pragma once

#include "decision/ExaminationRecord.h"
#include "decision/NumberFields.h"

#include <QHash>
#include <QSet>
#include <QWidget>

class QCheckBox;
class QDateTimeEdit;
class QLabel;
class TSpinEdit;

// A data-entry page of the main window: it shows its part of the examination
// record and writes back what the person changed. A value counts as given
// once the person changed its control (or confirmed it, where the page
// allows); loading the record changes nothing given.
class RecordPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    void load(const ExaminationRecord& record);
    virtual void store(ExaminationRecord& record) const = 0;
    // «Дальше» leaves the page: a page of a vital sign takes the shown value as given.
    virtual void confirm() { }
    // Another page changed the record (the sex, the birth date).
    virtual void follow(const ExaminationRecord& record) { Q_UNUSED(record); }

signals:
    // The person changed something on the page.
    void changed();
    // A value was refused or changed on leaving its field: the words for the person.
    void adjusted(const QString& message);
    // A control's hint was rewritten (a check box's hint says what the next click would mean).
    void hintRenewed(QWidget* control);

protected:
    virtual void show(const ExaminationRecord& record) = 0;

    bool isGiven(const QWidget* control) const { return m_given.contains(control); }
    void setGiven(const QWidget* control, bool given);
    // Connects the control's change by the person to marking it given and to changed().
    void watch(QWidget* control);
    void noteChange(const QWidget* control);
    // Tells a value refused or changed on leaving its field: in the status bar
    // and under the page's fields, where it stays until that field changes.
    void tellAdjustment(const QWidget* field, const QString& message);
    bool isLoading() const { return m_loading; }

    // A number field keeps the range the norms give it.
    static void keepRange(TSpinEdit* field, NumberField range);
    // A number field shows the record's value, with what was typed and whether it was given...
    void showNumber(TSpinEdit* field, const Given<int>& value);
    // ...and gives it back.
    Given<int> numberOf(const TSpinEdit* field) const;

    // A check box's hint, rewritten after each click; shown at once when it is the hint on show.
    void setHint(QCheckBox* box, const QString& hint);
    // Dates in the locale's short format with a four-digit year; a click
    // selects the day, month or year under the pointer.
    void prepareDatePicker(QDateTimeEdit* picker);

private:
    QSet<const QWidget*> m_given;
    // Whether a field's value was given when the field was last left: a value
    // taken back takes back its state too.
    QHash<const QWidget*, bool> m_givenWhenLeft;
    QLabel* m_told = nullptr;
    const QWidget* m_toldFor = nullptr;
    bool m_loading = false;
};
