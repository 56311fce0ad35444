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

// The examination record as the page controls of the main window hold it.
// Every call reads the controls at that moment; nothing is repainted here.
class TPageRecord final : public ExaminationRecord {
public:
    TPageRecord(const Ui::TfrmTessora& form, const TQuestionnaire& questionnaire);

    // The index the page shows, kept while the height field holds no number.
    void KeepShownIndex(double index) { FShownIndex = index; }
    // The window tells when a vital sign is entered or confirmed, and forgets them all at a reset.
    void MarkMeasured(Vital vital) { FMeasured.set(size_t(vital)); }
    void ForgetMeasured() { FMeasured.reset(); }

    int GetGender() const override;
    QDateTime BirthDate() const override;
    int GetAge() const override;
    double GetHeight() const override;
    double GetWeight() const override;
    double CalcBodyMassIndex() const override;
    double GetTemperature() const override;
    int GetPulse() const override;
    bool IsPulseRhythmic() const override;
    int GetSystolic() const override;
    int GetDiastolic() const override;
    bool IsMeasured(Vital vital) const override;
    std::optional<double> TypedOutOfRange(BodyMeasure measure) const override;
    bool IsTestAbsent(Test test) const override;
    QDateTime TestDate(Test test) const override;
    bool HasBundleBranchBlock() const override;
    bool HasVentricularHypertrophy() const override;
    bool HasMyocardialScarring() const override;
    bool IsFluPathology() const override;
    int Hemoglobin() const override;
    int LeucocytesTenths() const override;
    int Esr() const override;
    bool UrineProtein() const override;
    bool UrineSugar() const override;
    int UrineErythrocytes() const override;
    int UrineLeucocytes() const override;
    bool LymphNeck() const override;
    bool LymphJaw() const override;
    bool LymphArmpit() const override;
    bool LymphGroin() const override;
    bool LimbVaricose() const override;
    bool LimbInflamedVeins() const override;
    bool LimbAtrophy() const override;
    bool LimbDeformation() const override;
    bool HerniaGroin() const override;
    bool HerniaUmbilical() const override;
    bool HerniaAfterOperation() const override;
    bool HerniaThigh() const override;
    QList<HistoryBox> HistoryBoxes() const override;
    QList<FindingBox> FindingBoxes(FindingGroup group) const override;
    bool IsAnsweredYes(int n) const override;

private:
    const Ui::TfrmTessora& ui;
    const TQuestionnaire& FQuestionnaire;
    double FShownIndex = 0;
    std::bitset<3> FMeasured;
};
