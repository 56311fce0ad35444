#include "platform/widgets/TextRuns.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void ChangeTextRuns(QTextDocument* document, const std::function<bool(const QTextCharFormat&)>& picks,
    const std::function<void(QTextCharFormat&)>& change)
{
    struct Run {
        int position;
        int length;
        QTextCharFormat format;
    };
    // Collected first: a changed format may join a run to its neighbour.
    QList<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (picks(it.fragment().charFormat()))
                runs.append({ it.fragment().position(), it.fragment().length(), it.fragment().charFormat() });
        }
    }
    QTextCursor cursor(document);
    for (Run& run : runs) {
        change(run.format);
        cursor.setPosition(run.position);
        cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.format);
    }
}
