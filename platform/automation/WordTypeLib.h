#pragma once

#include "platform/automation/Guid.h"
#include "platform/automation/HResult.h"

// Identifiers and constants of Word's object model that both the server
// behind "Word.Application" and its clients use.
namespace Word {

using Automation::DISPID;
using Automation::Guid;

inline constexpr Guid CLSID_Application = Guid::parse("{000209FF-0000-0000-C000-000000000046}");
inline constexpr Guid DIID_ApplicationEvents2 = Guid::parse("{000209FE-0000-0000-C000-000000000046}");
inline constexpr Guid DIID_DocumentEvents = Guid::parse("{000209F6-0000-0000-C000-000000000046}");

// ApplicationEvents2 dispatch identifiers.
inline constexpr DISPID DISPID_AppQuit = 2; // no arguments
inline constexpr DISPID DISPID_AppDocumentBeforeClose = 6; // Doc, Cancel (bool by reference)
inline constexpr DISPID DISPID_AppDocumentBeforeSave = 8; // Doc, SaveAsUI, Cancel (bools by reference)

// DocumentEvents dispatch identifiers, both without arguments.
inline constexpr DISPID DISPID_DocNew = 4;
inline constexpr DISPID DISPID_DocClose = 6;

// Enumerations used by the report.
inline constexpr int wdDoNotSaveChanges = 0;
inline constexpr int wdAlertsNone = 0;
inline constexpr int wdDocumentsPath = 0;
inline constexpr int wdBorderTop = -1;
inline constexpr int wdBorderLeft = -2;
inline constexpr int wdBorderBottom = -3;
inline constexpr int wdBorderRight = -4;
inline constexpr int wdBorderVertical = -6; // the lines between the cells of each row
inline constexpr int wdLineStyleNone = 0;
inline constexpr int wdLineStyleSingle = 1;
inline constexpr int wdAlignParagraphLeft = 0;
inline constexpr int wdAlignParagraphCenter = 1;
inline constexpr int wdAlignParagraphRight = 2;
inline constexpr int wdColorGray40 = 10066329; // 0x999999

} // namespace Word
