#pragma once

// The tags of the main window's pages (their "Tag" property), in page order.
enum class TPageTag : int {
    Anthropometry = 1,
    Complaints,
    Anamnesis,
    Temperature,
    Pulse,
    Pressure,
    Ecg,
    Fluorography,
    Blood,
    Urine,
    LymphNodes,
    Limbs,
    Hernias,
    Conclusion,
    Cardiologist,
};
constexpr int CardiologistTag = int(TPageTag::Cardiologist);
// The pages of the examination record, tags 1 to 13.
constexpr int RecordPageCount = int(TPageTag::Hernias);
constexpr int ConclusionTag = int(TPageTag::Conclusion);
constexpr int ComplaintsTag = int(TPageTag::Complaints);
