#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

// Shared palette and helpers of the artwork tool.
namespace Palette {
inline const QColor Blue { 0x2F, 0x6F, 0xB5 };
inline const QColor LightBlue { 0xDC, 0xEB, 0xFA };
inline const QColor Green { 0x2E, 0x9E, 0x5B };
inline const QColor Red { 0xD9, 0x44, 0x3C };
inline const QColor Amber { 0xE8, 0xA5, 0x30 };
inline const QColor DarkAmber { 0xB9, 0x7A, 0x12 };
inline const QColor Grey { 0x5B, 0x6B, 0x7B };
inline const QColor LightGrey { 0xB8, 0xC2, 0xCC };
inline const QColor Skin { 0xF3, 0xC9, 0xA8 };
inline const QColor SkinShade { 0xD9, 0xA0, 0x7C };
inline const QColor Ink { 0x2B, 0x36, 0x42 };
} // namespace Palette

using Painting = std::function<void(QPainter&)>;

// A pen with round caps and joins, which every outline here uses.
QPen outline(const QColor& colour, qreal width);

// Paints on a transparent square drawn in `units` logical units, at
// `pixels` pixels, antialiased.
QImage paintIcon(int units, int pixels, const Painting& paint);

// Writes the image as PNG, creating its folder; ends the tool when it cannot.
void savePng(const QImage& image, const QString& path);

// Writes the icon at 1x as <path>.png and at 2x as <path>@2x.png.
void saveIcon(const QString& pathWithoutSuffix, int units, const Painting& paint);

QFont uiFont(qreal pixelSize, bool bold = false);
