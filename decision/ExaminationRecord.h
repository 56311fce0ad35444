#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <stdexcept>

// Out-of-range height or weight, with the Russian message shown to the user.
class ERecordRangeError : public std::runtime_error {
public:
    explicit ERecordRangeError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

class EHeightError final : public ERecordRangeError {
    using ERecordRangeError::ERecordRangeError;
};

class EWeightError final : public ERecordRangeError {
    using ERecordRangeError::ERecordRangeError;
};

// The examination record and the complaint answers as the conclusion logic and
// the report read them. The main window implements it over its controls; every
// call reads the control at that moment and nothing is cached.
class ExaminationRecord {
public:
    enum class Test { ECG, Flu, Blood, Urine };
    // The groups of finding boxes: the ECG findings and the three panels of
    // the self-examination.
    enum class FindingGroup { ECG, Lymph, Limbs, Hernias };
    // The vital signs whose fields start at a norm value rather than empty.
    enum class Vital { Temperature, Pulse, Pressure };
    enum class BodyMeasure { Height, Weight };

    // One finding box of a group, as the page shows it ("На шее").
    struct FindingBox {
        QString caption;
        bool checked = false;
    };

    // One check box of the history panel, in the order the boxes lie on the panel.
    struct HistoryBox {
        int tag = 0; // specialist number
        QString caption; // genitive, as on the box ("Кардиолога")
        bool checked = false;
    };

    virtual ~ExaminationRecord() = default;

    virtual int GetGender() const = 0; // 0 female, 1 male
    virtual QDateTime BirthDate() const = 0;
    virtual int GetAge() const = 0; // whole years from the birth date to now
    virtual double GetHeight() const = 0; // throws EHeightError
    virtual double GetWeight() const = 0; // throws EWeightError
    virtual double CalcBodyMassIndex() const = 0; // 0 while height or weight is out of range
    // The number typed into the height or weight field when leaving the field
    // put the nearest bound in its place; empty while the field holds what was typed.
    virtual std::optional<double> TypedOutOfRange(BodyMeasure measure) const = 0;
    // Whether the height or the weight holds such a bound: an index from it is
    // not the person's own.
    bool IsBodyMeasureClamped() const
    {
        return TypedOutOfRange(BodyMeasure::Height) || TypedOutOfRange(BodyMeasure::Weight);
    }

    virtual double GetTemperature() const = 0;
    virtual int GetPulse() const = 0;
    virtual bool IsPulseRhythmic() const = 0;
    virtual int GetSystolic() const = 0;
    virtual int GetDiastolic() const = 0;
    // A vital sign is measured once the person entered its value or left its
    // page with «Дальше»; until then its value is the initial norm, said as
    // not measured and never raising an urgent notice.
    virtual bool IsMeasured(Vital vital) const = 0;

    virtual bool IsTestAbsent(Test test) const = 0; // the test's "отсутствует" box
    virtual QDateTime TestDate(Test test) const = 0;

    virtual bool HasBundleBranchBlock() const = 0; // cbxBlock
    virtual bool HasVentricularHypertrophy() const = 0; // cbxGiper
    virtual bool HasMyocardialScarring() const = 0; // cbxRubec
    virtual bool IsFluPathology() const = 0;

    virtual int Hemoglobin() const = 0; // g/l
    virtual int LeucocytesTenths() const = 0; // thousand per µl, in tenths
    virtual int Esr() const = 0; // mm/h
    virtual bool UrineProtein() const = 0;
    virtual bool UrineSugar() const = 0;
    virtual int UrineErythrocytes() const = 0;
    virtual int UrineLeucocytes() const = 0;

    virtual bool LymphNeck() const = 0; // cbxLSheja
    virtual bool LymphJaw() const = 0; // cbxLChelust
    virtual bool LymphArmpit() const = 0; // cbxLPodmish
    virtual bool LymphGroin() const = 0; // cbxLPah

    virtual bool LimbVaricose() const = 0; // cbxFVaricos
    virtual bool LimbInflamedVeins() const = 0; // cbxFVosVen
    virtual bool LimbAtrophy() const = 0; // cbxFAtrof
    virtual bool LimbDeformation() const = 0; // cbxFDeform

    virtual bool HerniaGroin() const = 0; // cbxBPah
    virtual bool HerniaUmbilical() const = 0; // cbxBPup
    virtual bool HerniaAfterOperation() const = 0; // cbxBOper
    virtual bool HerniaThigh() const = 0; // cbxBBedro

    // The boxes of the history panel in panel order: cbxCardio, cbxUrolog,
    // cbxUrgent, cbxRevma, cbxPulmon, cbxPsihoter, cbxPsihiatr, cbxOnko,
    // cbxOftal, cbxNevropat, cbxNevro, cbxNefro, cbxNarcolog, cbxLor,
    // cbxGinecol, cbxGastro, cbxEndocrin, cbxDerma.
    virtual QList<HistoryBox> HistoryBoxes() const = 0;

    // The boxes of a finding group in the group's order: gbxECG cbxBlock,
    // cbxGiper, cbxRubec; gbxLimfo cbxLSheja, cbxLChelust, cbxLPodmish, cbxLPah;
    // gbxFeet cbxFVaricos, cbxFVosVen, cbxFAtrof, cbxFDeform; gbxBulb cbxBPah,
    // cbxBPup, cbxBOper, cbxBBedro.
    virtual QList<FindingBox> FindingBoxes(FindingGroup group) const = 0;

    // Complaint statement n, counted from 1; a statement the questionnaire
    // does not hold reads as not answered Yes.
    virtual bool IsAnsweredYes(int n) const = 0;
};
