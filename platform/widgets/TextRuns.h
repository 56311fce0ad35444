#pragma once

#include <QTextCharFormat>

#include <functional>

class QTextDocument;

// Changes the character format of every run of a rich text that the test picks,
// without touching its characters.
void ChangeTextRuns(QTextDocument* document, const std::function<bool(const QTextCharFormat&)>& picks,
    const std::function<void(QTextCharFormat&)>& change);
