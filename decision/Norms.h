#pragma once

// The one table of bounds, norm values, validity spans and record defaults.
// The findings compare against it, the effective values of tests that do not
// count fall back to it, and the examination record takes its initial values
// and limits from it.
struct TNorms {
    double BmiLower = 18.5;
    double BmiUpper = 30.0;

    double TemperatureLower = 36.0;
    double TemperatureNorm = 36.6;
    double TemperatureUpper = 37.0;

    int PulseLower = 60;
    int PulseNorm = 76;
    int PulseUpper = 90;

    int SystolicLower = 100;
    int SystolicNorm = 120;
    int SystolicUpper = 160;
    int DiastolicLower = 70;
    int DiastolicNorm = 80;
    int DiastolicUpper = 90;
    int PulsePressureBound = 60;

    int EcgValidityYears = 5;
    int FluValidityYears = 1;
    int BloodValidityMonths = 1;
    int UrineValidityMonths = 1;

    int HemoglobinLower = 110;
    int HemoglobinNorm = 130;
    double LeucocytesLower = 3.5;
    double LeucocytesNorm = 5.5;
    double LeucocytesUpper = 8.0;
    int EsrUpper = 15;
    int EsrNorm = 5;

    int UrineErythrocytesBound = 5;
    int UrineErythrocytesNorm = 0;
    int UrineLeucocytesBound = 5;
    int UrineLeucocytesNorm = 0;

    int HeightMin = 110;
    int HeightNorm = 170;
    int HeightMax = 210;
    int WeightMin = 30;
    int WeightNorm = 70;
    int WeightMax = 300;

    int AgeMin = 17;
    int AgeMax = 70;

    // The ranges the number fields keep: a number typed outside is brought to
    // the nearer bound and said as typed.
    int TemperatureMinTenths = 320;
    int TemperatureMaxTenths = 430;
    int PulseMin = 30;
    int PulseMax = 200;
    int PressureMin = 30;
    int PressureMax = 300;
    int HemoglobinMin = 10;
    int HemoglobinMax = 200;
    int LeucocytesMinTenths = 10;
    int LeucocytesMaxTenths = 200;
    int EsrMin = 0;
    int EsrMax = 100;
    int UrineCountMin = 0;
    int UrineCountMax = 20;
};

inline constexpr TNorms Norms {};
