#pragma once

#include "decision/ExaminationRecord.h"

#include <QList>

#include <bitset>

class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QWidget;
class TQuestionnaire;

namespace Ui {
class TfrmTessora;
}

// The controls of one test on its page: the "отсутствует" box, the date, the
// group whose values it holds (none for ECG and fluorography) and what the
// absent box disables.
struct TTestControls {
    QCheckBox* absent = nullptr;
    QDateTimeEdit* date = nullptr;
    QGroupBox* values = nullptr;
    QList<QWidget*> dependents;
};
TTestControls TestControls(const Ui::TfrmTessora& form, ExaminationRecord::Test test);

// Reads the examination record from the page controls of the main window.
class TPageRecord final {
public:
    using Vital = ExaminationRecord::Vital;

    TPageRecord(const Ui::TfrmTessora& form, const TQuestionnaire& questionnaire);

    // The window tells when a vital sign is entered or confirmed, and forgets them all at a reset.
    void MarkMeasured(Vital vital) { FMeasured.set(size_t(vital)); }
    void ForgetMeasured() { FMeasured.reset(); }
    bool IsMeasured(Vital vital) const { return FMeasured.test(size_t(vital)); }

    ExaminationRecord Read() const;

private:
    const Ui::TfrmTessora& ui;
    const TQuestionnaire& FQuestionnaire;
    std::bitset<3> FMeasured;
};
