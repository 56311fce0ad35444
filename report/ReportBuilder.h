#pragma once

#include "decision/ExaminationRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

class Conclusion;
class TReportState;

// The printable report of an examination: a new document in the word
// processor holding one table, section by section, in the order and with the
// texts the report gives them.

// Advances the caller's progress display by one step; the builder calls it
// ReportSteps times.
using TReportStep = std::function<void()>;
inline constexpr int ReportSteps = 14;

// Takes over or starts the word processor (false, after its message, when
// there is none), adds the document with its two-row table and puts the
// picture into row 1. Failures after the word processor was found are shown
// in a plain box and leave the rest to the building.
bool CreateReportDocument(TReportState& report);

// Builds the whole report from the record and its conclusion, at the
// conclusion's moment, and shows it.
// Returns false when no word processor could be found. A failing call, or a
// value the record refuses, is thrown; the partly built document stays as
// the report's ReportDoc.
bool BuildReport(
    TReportState& report, const ExaminationRecord& record, const Conclusion& conclusion, const TReportStep& step);

// The captions of the ticked boxes in the group's order: the first as it
// stands, the others in lower case, joined with ", ".
QString CheckedCaptions(const QList<ExaminationRecord::FindingBox>& group);
QString EcgFindingsText(const ExaminationRecord& record, const Conclusion& conclusion);
QString FluorographyText(const ExaminationRecord& record, const Conclusion& conclusion);
// One line per kind of self-examination finding, empty when nothing is ticked.
QString SelfExamText(const ExaminationRecord& record);
