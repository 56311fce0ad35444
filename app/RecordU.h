#pragma once

#include <QString>
#include <QtGlobal>

// Rules of the examination record's page that need no window: the gender draw
// and the hints that change with a check box.

// The program's pseudo-random generator, whose seed is 0 at start and never
// reseeded: next number in [0, 1): seed ← seed × 134775813 + 1 (mod 2³²),
// number = seed / 2³².
double NextRandom(quint32& seed);
// 1 (male) when the next number is greater than 0.5, else 0 (female).
int DrawGender(quint32& seed);

// Lower-cased caption as the hints quote it.
QString HintCaption(const QString& caption);

QString HistoryHint(bool checked, const QString& caption, int tag);
QString PulseRhythmHint(bool checked);
QString EcgAbsentHint(bool checked);
QString FluAbsentHint(bool checked);
QString BloodAbsentHint(bool checked);
QString UrineAbsentHint(bool checked);
QString ProteinHint(bool checked);
QString SugarHint(bool checked);
// cbxBlock and cbxGiper ("упоминается"); plural is cbxRubec ("упоминаются").
QString EcgFindingHint(bool checked, const QString& caption, bool plural);
QString LymphHint(bool checked, const QString& caption);
// Limb phrases are chosen by the box's Tag 1..4.
QString LimbHint(bool checked, int tag);
QString HerniaHint(bool checked, const QString& caption);
