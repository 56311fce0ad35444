#pragma once

#include <QColor>
#include <QPalette>

class QTextDocument;

// Colours of meaning (urgent red, raised and lowered values, bands) made to
// read on whatever palette the desktop gives, dark or high-contrast included.
namespace Contrast {

// The contrast ratio of two colours as WCAG defines it, from 1 to 21.
double Ratio(const QColor& first, const QColor& second);

// The least ratio WCAG asks of text.
inline constexpr double TextRatio = 4.5;

// The wanted colour when it reads on the background, else the colour of its hue
// lightened (on a dark background) or darkened just enough to reach the ratio.
QColor Readable(const QColor& wanted, const QColor& background, double least = TextRatio);

// The wanted colour mixed into the background: amount 0 is the background, 1 the colour.
QColor Mix(const QColor& wanted, const QColor& background, double amount);

// The red of urgent notices as text on the palette's base.
QColor UrgentText(const QPalette& palette);

// Text colours that a rich text gives itself (a file written on a white page)
// made to read on the background it is shown on.
void MakeReadable(QTextDocument* document, const QColor& background);

// A style sheet written for a light page, made to read on the palette: on a
// dark base each rule's background becomes a tint of the base, and each text
// colour (of body text too) one that reads on the rule's background.
QString AdaptStyleSheet(const QString& css, const QPalette& palette);

} // namespace Contrast
