#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
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

// Whole calendar years between the days of two date-times, either order: a
// birthday or an anniversary counts on its day, whatever the time of day.
int WholeYearsBetween(const QDateTime& a, const QDateTime& b);

// Whole calendar months between the days of two date-times, either order; the
// day a month reaches counts, the 31st reaching the shorter month's last day.
int WholeMonthsBetween(const QDateTime& a, const QDateTime& b);

// A value of the record and whether the person gave it: entered it, or
// confirmed the value shown. A value not given holds the form's initial value.
// `typed` is the number the person typed when the field kept another: brought
// into its range, or rounded to what it keeps; in whole units (°C, not tenths).
template <typename T>
struct Given {
    T value {};
    bool given = false;
    std::optional<double> typed {};

    bool operator==(const Given&) const = default;
};

// The examination as the person entered it: body data, vital signs, the four
// tests, the self-examination, the observing specialists and the answers to
// the complaint statements. A plain value: the pages fill it, the conclusion,
// the report and the diary read it.
struct ExaminationRecord {
    enum class Test { ECG, Flu, Blood, Urine };
    // The groups of finding boxes: the ECG findings and the three panels of
    // the self-examination.
    enum class FindingGroup { ECG, Lymph, Limbs, Hernias };
    // The vital signs whose fields start at a norm value rather than empty.
    enum class Vital { Temperature, Pulse, Pressure };
    enum class BodyMeasure { Height, Weight };
    // A statement's state as the questionnaire keeps it.
    enum class Answer : std::uint8_t { None = 1, Yes = 2, No = 3 };

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

    // A test's "отсутствует" box and its date.
    struct TestDone {
        bool absent = true;
        QDateTime date;

        bool operator==(const TestDone&) const = default;
    };

    // A box of the pages: its control, its caption and, on the history
    // panel, its specialist number.
    struct BoxDef {
        const char* control;
        const char16_t* caption;
        int tag;
    };

    static constexpr int HistoryBoxCount = 18;
    static constexpr int GynecologistTag = 15;
    // The history panel in the order in which the conclusion lists the
    // observing specialists.
    static constexpr std::array<BoxDef, HistoryBoxCount> HistoryPanel { {
        { "cbxCardio", u"Кардиолога", 1 },
        { "cbxUrolog", u"Уролога", 16 },
        { "cbxUrgent", u"Хирурга", 14 },
        { "cbxRevma", u"Ревматолога", 9 },
        { "cbxPulmon", u"Пульмонолога", 3 },
        { "cbxPsihoter", u"Психотерапевта", 12 },
        { "cbxPsihiatr", u"Психиатра", 12 },
        { "cbxOnko", u"Онколога", 11 },
        { "cbxOftal", u"Офтальмолога", 6 },
        { "cbxNevropat", u"Невропатолога", 8 },
        { "cbxNevro", u"Невролога", 8 },
        { "cbxNefro", u"Нефролога", 5 },
        { "cbxNarcolog", u"Нарколога", 13 },
        { "cbxLor", u"ЛОР врача", 2 },
        { "cbxGinecol", u"Гинеколога", GynecologistTag },
        { "cbxGastro", u"Гастроэнтеролога", 4 },
        { "cbxEndocrin", u"Эндокринолога", 10 },
        { "cbxDerma", u"Дерматолога", 7 },
    } };
    static constexpr std::array<BoxDef, 3> EcgBoxes { {
        { "cbxBlock", u"Блокада ножки пучка Гиса", 0 },
        { "cbxGiper", u"Гипертрофия левого желудочка", 0 },
        { "cbxRubec", u"Рубцовые изменения миокарда", 0 },
    } };
    static constexpr std::array<BoxDef, 4> LymphBoxes { {
        { "cbxLSheja", u"На шее", 0 },
        { "cbxLChelust", u"Под челюстью", 0 },
        { "cbxLPodmish", u"Подмышкой", 0 },
        { "cbxLPah", u"В паху", 0 },
    } };
    static constexpr std::array<BoxDef, 4> LimbBoxes { {
        { "cbxFVaricos", u"Расширение вен", 0 },
        { "cbxFVosVen", u"Воспаление вен", 0 },
        { "cbxFAtrof", u"Атрофия мышц", 0 },
        { "cbxFDeform", u"Деформация", 0 },
    } };
    static constexpr std::array<BoxDef, 4> HerniaBoxes { {
        { "cbxBPah", u"В паху", 0 },
        { "cbxBPup", u"Пупочная", 0 },
        { "cbxBOper", u"После операции", 0 },
        { "cbxBBedro", u"На бедре", 0 },
    } };

    // The age of a new examination's birth date: the middle of the ages the
    // program is made for.
    static constexpr int InitialAge = 27;

    // The record as a new examination starts: the initial values of the
    // form, none of them given, every test absent and dated now.
    static ExaminationRecord initial(const QDateTime& now, int gender);

    // The person examined, as the anthropometry page names them; may be empty.
    QString name;
    Given<int> gender; // 0 female, 1 male
    Given<QDateTime> birthDate;
    // The numbers in the height and weight fields; 0 for a field holding no number.
    Given<double> height;
    Given<double> weight;

    Given<int> temperatureTenths;
    Given<int> pulse;
    bool pulseRhythmic = true;
    Given<int> systolic;
    Given<int> diastolic;

    std::array<TestDone, 4> tests; // by Test
    std::array<bool, EcgBoxes.size()> ecgFindings {};
    bool fluPathology = false;
    Given<int> hemoglobin; // g/l
    Given<int> leucocytesTenths; // thousand per µl, in tenths
    Given<int> esr; // mm/h
    bool urineProtein = false;
    bool urineSugar = false;
    Given<int> urineErythrocytes;
    Given<int> urineLeucocytes;

    // The ticks of each group, in the order of its table above.
    std::array<bool, LymphBoxes.size()> lymphNodes {};
    std::array<bool, LimbBoxes.size()> limbs {};
    std::array<bool, HerniaBoxes.size()> hernias {};
    // The ticks of the history panel in HistoryPanel's order; the
    // gynaecologist's box keeps its tick while hidden for a man.
    std::array<bool, HistoryBoxCount> observedBy {};
    // The statements' answers, statement n at n − 1.
    QList<Answer> answers;

    bool operator==(const ExaminationRecord&) const = default;

    int GetGender() const { return gender.value; }
    QDateTime BirthDate() const { return birthDate.value; }
    // Whole years from the birth date to now.
    int GetAge(const QDateTime& now) const;
    double GetHeight() const; // throws EHeightError
    double GetWeight() const; // throws EWeightError
    // 0 while height or weight is out of range or the height is no number.
    double CalcBodyMassIndex() const;
    // The number typed into the height or weight field when leaving the field
    // put the nearer bound in its place.
    std::optional<double> TypedOutOfRange(BodyMeasure measure) const;
    // Whether the height or the weight holds such a bound: an index from it is
    // not the person's own.
    bool IsBodyMeasureClamped() const
    {
        return TypedOutOfRange(BodyMeasure::Height) || TypedOutOfRange(BodyMeasure::Weight);
    }

    double GetTemperature() const { return temperatureTenths.value / 10.0; }
    int GetPulse() const { return pulse.value; }
    bool IsPulseRhythmic() const { return pulseRhythmic; }
    int GetSystolic() const { return systolic.value; }
    int GetDiastolic() const { return diastolic.value; }
    // A vital sign is measured once the person entered its value or left its
    // page with «Дальше»; until then its value is the initial norm, said as
    // not measured and never raising an urgent notice.
    bool IsMeasured(Vital vital) const;

    bool IsTestAbsent(Test test) const { return tests[size_t(test)].absent; }
    QDateTime TestDate(Test test) const { return tests[size_t(test)].date; }
    bool IsFluPathology() const { return fluPathology; }

    // The boxes of the history panel in panel order, with their specialist
    // numbers and captions; a hidden box is not ticked.
    QList<HistoryBox> HistoryBoxes() const;
    // The boxes of a finding group in the group's order.
    QList<FindingBox> FindingBoxes(FindingGroup group) const;

    // Complaint statement n, counted from 1; a statement the questionnaire
    // does not hold reads as not answered Yes.
    bool IsAnsweredYes(int n) const
    {
        return n >= 1 && n <= answers.size() && answers[n - 1] == Answer::Yes;
    }
};
