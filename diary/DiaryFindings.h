#pragma once

#include "diary/DiaryEntry.h"

#include <QString>

// What an entry's findings mean, in the words of the conclusion: the flagged
// values ("температура повышена", "гипертензия"), the results of tests and of
// the self-examination, then the complaints in the phrases of Common/ANS.txt.

// The words joined for a table cell: "гипертензия, тахикардия; жалобы на: головные боли; нарушение сна".
QString findingsText(const DiaryEntry& entry);
