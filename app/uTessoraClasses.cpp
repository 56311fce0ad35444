#include "app/uTessoraClasses.h"

const std::array<QString, 16> PageFileNames = {
    QString(),
    QStringLiteral("Anthropometry"),
    QStringLiteral("Complaints"),
    QStringLiteral("Anamnesis"),
    QStringLiteral("Temperature"),
    QStringLiteral("Puls"),
    QStringLiteral("Pressure"),
    QStringLiteral("Ecg"),
    QStringLiteral("Fluorography"),
    QStringLiteral("Blood"),
    QStringLiteral("Urina"),
    QStringLiteral("Limfo"),
    QStringLiteral("Feet"),
    QStringLiteral("Bulb"),
    QStringLiteral("Result"),
    QStringLiteral("Cardio"),
};
