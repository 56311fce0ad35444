#include "decision/FindingWords.h"

#include "decision/FindingCodes.h"

namespace {

using Group = TFindingGroup;

// Where a group has a raised and a lowered row, the raised one comes first:
// the conclusion names the first that holds.
constexpr TFindingWord Rows[] {
    { Code::HighBodyMass, Group::BodyMass, u"масса повышена" },
    { Code::LowBodyMass, Group::BodyMass, u"масса снижена" },
    { Code::HighTemperature, Group::Temperature, u"повышена", u"температура %1" },
    { Code::LowTemperature, Group::Temperature, u"снижена", u"температура %1" },
    { Code::Tachycardia, Group::Pulse, u"тахикардия" },
    { Code::Bradycardia, Group::Pulse, u"брадикардия" },
    { Code::HighSystolic, Group::Pressure, u"гипертензия" },
    { Code::HighDiastolic, Group::Pressure, u"гипертензия" },
    { Code::LowSystolic, Group::Pressure, u"гипотензия" },
    { Code::LowDiastolic, Group::Pressure, u"гипотензия" },
    { Code::WidePulsePressure, Group::PulsePressure, u"пульсовое давление больше 60 мм Hg" },
    { Code::EcgPathology, Group::Ecg, u"ЭКГ: патология" },
    { Code::FluPathology, Group::Flu, u"флюорография: патология" },
    { Code::LowHemoglobin, Group::Blood, u"гемоглобин снижен" },
    { Code::LowLeucocytes, Group::Blood, u"лейкоциты крови снижены" },
    { Code::HighLeucocytes, Group::Blood, u"лейкоциты крови повышены" },
    { Code::HighEsr, Group::Blood, u"СОЭ повышена" },
    { Code::UrineProtein, Group::Urine, u"белок в моче" },
    { Code::UrineSugar, Group::Urine, u"сахар в моче" },
    { Code::UrineErythrocytes, Group::Urine, u"эритроциты в моче повышены" },
    { Code::UrineLeucocytes, Group::Urine, u"лейкоциты в моче повышены" },
    { Code::NeckLymphNodes, Group::LymphNodes, u"шейные", u"увеличенные %1 лимфатические узлы" },
    { Code::JawLymphNodes, Group::LymphNodes, u"подчелюстные", u"увеличенные %1 лимфатические узлы" },
    { Code::ArmpitLymphNodes, Group::LymphNodes, u"подмышечные", u"увеличенные %1 лимфатические узлы" },
    { Code::GroinLymphNodes, Group::LymphNodes, u"паховые", u"увеличенные %1 лимфатические узлы" },
    { Code::MuscleAtrophy, Group::Limbs, u"атрофия мышц", u"%1 конечностей" },
    { Code::LimbDeformation, Group::Limbs, u"деформация", u"%1 конечностей" },
    { Code::VaricoseVeins, Group::Limbs, u"варикозное расширение вен", u"%1 конечностей" },
    { Code::InflamedVeins, Group::Limbs, u"воспаление вен", u"%1 конечностей" },
    { Code::Hernia, Group::Hernia, u"грыжи" },
};

} // namespace

std::span<const TFindingWord> FindingWordRows()
{
    return Rows;
}

QString FindingAlone(const TFindingWord& row)
{
    return QString::fromUtf16(row.phrase).arg(QString::fromUtf16(row.word));
}
