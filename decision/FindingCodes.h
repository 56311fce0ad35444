#pragma once

// Names of the finding codes and the specialist numbers that the consultation
// rules read. Codes 1..69 are the complaint statements of Common/ksm.txt
// (counted from 1); the others are measured values, tests and the
// self-examination. The codes are stored in the diary: never renumber them.
namespace Code {

// Complaint statements.
constexpr int Weakness = 1;
constexpr int Headache = 2;
constexpr int PoorSleep = 3;
constexpr int Irritability = 4;
constexpr int Chills = 5;
constexpr int Palpitations = 6; // also an arrhythmic pulse
constexpr int ChestPain = 7;
constexpr int HeartAche = 8;
constexpr int JointPain = 9;
constexpr int MorningStiffness = 10;
constexpr int LegPainWalking = 11;
constexpr int Cough = 12;
constexpr int Choking = 13;
constexpr int Breathlessness = 14;
constexpr int Sputum = 15;
constexpr int BloodInSputum = 16;
constexpr int PleuralPain = 17;
constexpr int AbdominalPain = 18;
constexpr int MeatAversion = 19;
constexpr int Heartburn = 20;
constexpr int Belching = 21;
constexpr int Nausea = 22;
constexpr int BitterTaste = 23;
constexpr int WeightLoss = 24;
constexpr int BowelTrouble = 25;
constexpr int AlcoholCraving = 26;
constexpr int SedativeUse = 27;
constexpr int SoreThroat = 28;
constexpr int HearingLoss = 29;
constexpr int NightUrination = 30; // counts only for a man older than 40
constexpr int FeelingCold = 31;
constexpr int Appetite = 33;
constexpr int SkinRash = 34;
constexpr int Bloating = 35;
constexpr int RightRibPain = 36;
constexpr int BlackStool = 37;
constexpr int LowMood = 38; // also a psychotherapist or psychiatrist who observes
constexpr int PainfulUrination = 39;
constexpr int Tremor = 40;
constexpr int Sweating = 41;
constexpr int Drowsiness = 42;
constexpr int PoorAppetite = 43;
constexpr int SlowHealing = 44;
constexpr int Thirst = 45;
constexpr int NeckSwelling = 46;
constexpr int Anxiety = 47;
constexpr int HeadNoise = 48;
constexpr int NightSweats = 49;
constexpr int PoorMemory = 50;
constexpr int HeatIntolerance = 51;
constexpr int PanicAttacks = 52;
constexpr int Dizziness = 54;
constexpr int Migraine = 55;
constexpr int Numbness = 56;
constexpr int Stiffness = 57;
constexpr int RadiatingBackPain = 58;
constexpr int TransientWeakness = 59;
constexpr int BackPain = 60;
constexpr int Flushing = 61;
constexpr int ExertionalChestPain = 62;
constexpr int PoorSight = 63;
constexpr int EyePain = 64;
constexpr int Lump = 65;
constexpr int ChangedMole = 66;
constexpr int Ulcer = 67;
constexpr int Dysphagia = 68;
constexpr int LegSwelling = 69;

// Tests.
constexpr int EcgPathology = 70;
constexpr int FluPathology = 71;
constexpr int LowHemoglobin = 81;
constexpr int LowLeucocytes = 82;
constexpr int HighLeucocytes = 182;
constexpr int HighEsr = 83;
constexpr int UrineProtein = 84;
constexpr int UrineSugar = 85;
constexpr int UrineErythrocytes = 86;
constexpr int UrineLeucocytes = 87;

// Measured values.
constexpr int LowTemperature = 75;
constexpr int HighTemperature = 175;
constexpr int LowSystolic = 76;
constexpr int HighSystolic = 176;
constexpr int LowDiastolic = 77;
constexpr int HighDiastolic = 177;
constexpr int WidePulsePressure = 78;
constexpr int Bradycardia = 88;
constexpr int Tachycardia = 188;
constexpr int LowBodyMass = 91;
constexpr int HighBodyMass = 191;

// Statements 32 and 53 under codes of their own.
constexpr int EarPain = 92;
constexpr int EyeFloaters = 120;

// Self-examination.
constexpr int NeckLymphNodes = 93;
constexpr int JawLymphNodes = 94;
constexpr int ArmpitLymphNodes = 95;
constexpr int GroinLymphNodes = 96;
constexpr int MuscleAtrophy = 97;
constexpr int LimbDeformation = 99;
constexpr int Hernia = 100;
constexpr int VaricoseVeins = 101;
constexpr int InflamedVeins = 102;

} // namespace Code

// Specialist numbers: the index into SpecialistNames and the tag of a history box.
namespace Specialist {

constexpr int Cardiologist = 1;
constexpr int EntDoctor = 2;
constexpr int Pulmonologist = 3;
constexpr int Gastroenterologist = 4;
constexpr int Nephrologist = 5;
constexpr int Ophthalmologist = 6;
constexpr int Dermatologist = 7;
constexpr int Neurologist = 8;
constexpr int Rheumatologist = 9;
constexpr int Endocrinologist = 10;
constexpr int Oncologist = 11;
constexpr int Psychotherapist = 12;
constexpr int Narcologist = 13;
constexpr int Surgeon = 14;
constexpr int Gynaecologist = 15;
constexpr int Urologist = 16;
constexpr int GeneralPractitioner = 17;

} // namespace Specialist
