#include "tools/artwork/Pictures.h"

#include "tools/artwork/Drawing.h"

#include <QDir>
#include <QImageWriter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace Palette;

constexpr int Width = 180;
constexpr int Height = 250;
constexpr int CaptionTop = 212;

void saveJpeg(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "jpg");
    writer.setQuality(90);
    writer.setOptimizedWrite(true);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        std::exit(1);
    }
}

// Draws at twice the size and scales down, which smooths thin lines.
QImage render(int width, int height, const Painting& paint)
{
    QImage large(width * 2, height * 2, QImage::Format_RGB32);
    large.fill(Qt::white);
    QPainter painter(&large);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(2, 2);
    paint(painter);
    painter.end();
    return large.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void background(QPainter& p, const QColor& tint)
{
    QLinearGradient shade(0, 0, 0, Height);
    shade.setColorAt(0, tint);
    shade.setColorAt(1, Qt::white);
    p.fillRect(QRectF(0, 0, Width, Height), shade);
}

void caption(QPainter& p, const QString& text)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 225));
    p.drawRect(QRectF(0, CaptionTop, Width, Height - CaptionTop));
    p.setPen(outline(Blue, 2));
    p.drawLine(QPointF(0, CaptionTop), QPointF(Width, CaptionTop));
    p.setPen(Ink);
    p.setFont(uiFont(15, true));
    p.drawText(QRectF(4, CaptionTop, Width - 8, Height - CaptionTop), Qt::AlignCenter, text);
}

// A friendly front-view figure standing with its feet at `bottom`.
void figure(QPainter& p, qreal centre, qreal top, qreal bottom, const QColor& clothes)
{
    const qreal h = bottom - top;
    const qreal head = h * 0.075;
    const qreal shoulders = h * 0.13;
    const qreal neck = top + head * 2;
    const qreal hips = top + h * 0.52;
    p.setPen(outline(SkinShade, h * 0.075));
    p.drawLine(QPointF(centre - shoulders, neck + h * 0.06), QPointF(centre - shoulders - h * 0.05, hips));
    p.drawLine(QPointF(centre + shoulders, neck + h * 0.06), QPointF(centre + shoulders + h * 0.05, hips));
    p.setPen(outline(clothes.darker(140), h * 0.085));
    p.drawLine(QPointF(centre - h * 0.055, hips), QPointF(centre - h * 0.065, bottom - h * 0.03));
    p.drawLine(QPointF(centre + h * 0.055, hips), QPointF(centre + h * 0.065, bottom - h * 0.03));
    QPainterPath torso;
    torso.moveTo(centre - shoulders, neck + h * 0.02);
    torso.quadTo(centre, neck - h * 0.01, centre + shoulders, neck + h * 0.02);
    torso.lineTo(centre + shoulders * 0.8, hips + h * 0.03);
    torso.lineTo(centre - shoulders * 0.8, hips + h * 0.03);
    torso.closeSubpath();
    p.setPen(outline(clothes.darker(120), 1));
    p.setBrush(clothes);
    p.drawPath(torso);
    p.setPen(outline(SkinShade, 1));
    p.setBrush(Skin);
    p.drawEllipse(QPointF(centre, top + head), head, head * 1.1);
}

void anthropometry(QPainter& p)
{
    background(p, QColor(0xE3, 0xEF, 0xFB));
    // height rod with centimetre marks
    p.setPen(outline(Grey, 1));
    p.setBrush(QColor(0xFF, 0xF4, 0xD6));
    p.drawRect(QRectF(28, 18, 16, 176));
    for (int i = 0; i <= 34; ++i) {
        const qreal y = 190 - i * 5;
        p.drawLine(QPointF(44, y), QPointF(i % 2 == 0 ? 34 : 38, y));
    }
    p.setPen(outline(Red, 2));
    p.drawLine(QPointF(44, 32), QPointF(112, 32));
    figure(p, 100, 33, 182, QColor(0x5D, 0x9C, 0xD8));
    // scales under the feet
    p.setPen(outline(Grey, 1.2));
    p.setBrush(QColor(0xF4, 0xF6, 0xF8));
    p.drawRoundedRect(QRectF(66, 180, 68, 16), 5, 5);
    p.setBrush(Ink);
    p.drawRoundedRect(QRectF(88, 184, 24, 8), 2, 2);
    p.setPen(QColor(0x7C, 0xF2, 0xA8));
    p.setFont(uiFont(7, true));
    p.drawText(QRectF(88, 184, 24, 8), Qt::AlignCenter, QStringLiteral("70"));
    caption(p, QStringLiteral("Рост и вес"));
}

void checkBox(QPainter& p, const QRectF& box, bool ticked)
{
    p.setPen(outline(Blue, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 2, 2);
    if (!ticked)
        return;
    p.setPen(outline(Green, 2.2));
    QPainterPath tick;
    tick.moveTo(box.left() + 2.5, box.center().y());
    tick.lineTo(box.left() + box.width() * 0.42, box.bottom() - 2.5);
    tick.lineTo(box.right() - 1.5, box.top() + 1.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void anamnesis(QPainter& p)
{
    background(p, QColor(0xE6, 0xF4, 0xEA));
    p.setPen(outline(QColor(0x8A, 0x5A, 0x2B), 1.5));
    p.setBrush(QColor(0xB9, 0x82, 0x4A));
    p.drawRoundedRect(QRectF(30, 24, 120, 170), 8, 8);
    p.setPen(outline(LightGrey, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(40, 38, 100, 148));
    p.setPen(outline(Grey, 1.2));
    p.setBrush(QColor(0xC9, 0xCF, 0xD6));
    p.drawRoundedRect(QRectF(70, 18, 40, 16), 4, 4);
    p.setPen(Blue);
    p.setFont(uiFont(9, true));
    p.drawText(QRectF(40, 40, 100, 16), Qt::AlignCenter, QStringLiteral("Наблюдаюсь у"));
    const bool ticks[] = { true, false, true, false, false, true };
    for (int i = 0; i < 6; ++i) {
        const qreal y = 62 + i * 20;
        checkBox(p, QRectF(48, y, 11, 11), ticks[i]);
        p.setPen(outline(LightGrey, 3));
        p.drawLine(QPointF(66, y + 5.5), QPointF(i % 2 ? 118 : 130, y + 5.5));
    }
    caption(p, QStringLiteral("Мои врачи"));
}

void temperature(QPainter& p)
{
    background(p, QColor(0xFD, 0xE8, 0xE4));
    p.save();
    p.translate(90, 108);
    p.rotate(-35);
    QPainterPath body;
    body.addRoundedRect(QRectF(-17, -80, 34, 140), 17, 17);
    p.setPen(outline(Grey, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(body);
    p.setBrush(QColor(0xCF, 0xE8, 0xF6));
    p.drawRoundedRect(QRectF(-12, -58, 24, 52), 4, 4);
    p.setPen(Ink);
    p.setFont(uiFont(11, true));
    p.save();
    p.translate(0, -32);
    p.rotate(90);
    p.drawText(QRectF(-26, -10, 52, 20), Qt::AlignCenter, QStringLiteral("36,6°"));
    p.restore();
    p.setPen(outline(Grey, 1.2));
    p.setBrush(QColor(0x9A, 0xA6, 0xB2));
    p.drawRoundedRect(QRectF(-5, 66, 10, 26), 5, 5);
    p.setBrush(Blue);
    p.drawEllipse(QPointF(0, 30), 6, 6);
    p.restore();
    // warmth lines
    p.setPen(outline(Red, 2.2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const qreal x = 122 + i * 12;
        wave.moveTo(x, 150);
        wave.cubicTo(x - 6, 142, x + 6, 136, x, 128);
        wave.cubicTo(x - 6, 120, x + 6, 114, x, 106);
        p.drawPath(wave);
    }
    caption(p, QStringLiteral("Температура"));
}

QPainterPath heartPath(const QPointF& centre, qreal size)
{
    const qreal s = size / 2;
    const qreal x = centre.x(), y = centre.y();
    QPainterPath heart;
    heart.moveTo(x, y + s * 0.95);
    heart.cubicTo(x - s * 1.3, y + s * 0.1, x - s * 1.05, y - s * 1.0, x, y - s * 0.45);
    heart.cubicTo(x + s * 1.05, y - s * 1.0, x + s * 1.3, y + s * 0.1, x, y + s * 0.95);
    return heart;
}

void pulseTrace(
    QPainter& p, qreal left, qreal right, qreal base, qreal amplitude, const QColor& colour, qreal width)
{
    QPainterPath trace;
    trace.moveTo(left, base);
    qreal x = left;
    const qreal beat = 56;
    while (x + beat <= right + 0.1) {
        trace.lineTo(x + beat * 0.30, base);
        trace.lineTo(x + beat * 0.38, base - amplitude * 0.18);
        trace.lineTo(x + beat * 0.45, base);
        trace.lineTo(x + beat * 0.52, base + amplitude * 0.2);
        trace.lineTo(x + beat * 0.58, base - amplitude);
        trace.lineTo(x + beat * 0.65, base + amplitude * 0.35);
        trace.lineTo(x + beat * 0.71, base);
        trace.cubicTo(x + beat * 0.78, base - amplitude * 0.3, x + beat * 0.86, base - amplitude * 0.3,
            x + beat * 0.92, base);
        trace.lineTo(x + beat, base);
        x += beat;
    }
    trace.lineTo(right, base);
    p.setPen(outline(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

void stopwatch(QPainter& p, const QPointF& centre, qreal radius)
{
    p.setPen(outline(Grey, 1.5));
    p.setBrush(QColor(0x9A, 0xA6, 0xB2));
    p.drawRoundedRect(QRectF(centre.x() - 5, centre.y() - radius - 9, 10, 8), 2, 2);
    p.setBrush(Qt::white);
    p.setPen(outline(Grey, 3));
    p.drawEllipse(centre, radius, radius);
    p.setPen(outline(Grey, 1));
    for (int i = 0; i < 12; ++i) {
        const qreal angle = i * M_PI / 6;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        p.drawLine(centre + direction * (radius - 6), centre + direction * (radius - 2.5));
    }
    p.setPen(outline(Red, 2));
    p.drawLine(centre, centre + QPointF(radius * 0.55, -radius * 0.45));
    p.setPen(Ink);
    p.setFont(uiFont(9, true));
    p.drawText(QRectF(centre.x() - radius, centre.y() + radius * 0.2, radius * 2, radius * 0.6),
        Qt::AlignCenter, QStringLiteral("60 с"));
}

void pulse(QPainter& p)
{
    background(p, QColor(0xFD, 0xE6, 0xEA));
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawPath(heartPath(QPointF(90, 62), 78));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(72, 48), 9, 6);
    pulseTrace(p, 8, 172, 128, 26, Red.darker(120), 2.5);
    stopwatch(p, QPointF(90, 178), 24);
    caption(p, QStringLiteral("Пульс"));
}

void pressure(QPainter& p)
{
    background(p, QColor(0xE3, 0xEF, 0xFB));
    // the cuff round the arm
    p.setPen(outline(SkinShade, 1));
    p.setBrush(Skin);
    p.drawRoundedRect(QRectF(18, 28, 40, 150), 18, 18);
    p.setPen(outline(Blue.darker(130), 1.5));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(12, 58, 52, 62), 8, 8);
    p.setPen(outline(QColor(255, 255, 255, 140), 1.5));
    p.drawLine(QPointF(16, 72), QPointF(60, 72));
    p.drawLine(QPointF(16, 106), QPointF(60, 106));
    // the tube to the monitor
    p.setPen(outline(Grey, 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath tube;
    tube.moveTo(64, 90);
    tube.cubicTo(88, 90, 82, 140, 104, 140);
    p.drawPath(tube);
    p.setPen(outline(Grey, 1.5));
    p.setBrush(QColor(0xF4, 0xF6, 0xF8));
    p.drawRoundedRect(QRectF(96, 60, 72, 112), 10, 10);
    p.setBrush(QColor(0xD8, 0xEC, 0xD9));
    p.drawRoundedRect(QRectF(104, 70, 56, 64), 4, 4);
    p.setPen(Ink);
    p.setFont(uiFont(17, true));
    p.drawText(QRectF(104, 70, 56, 24), Qt::AlignCenter, QStringLiteral("120"));
    p.drawText(QRectF(104, 92, 56, 24), Qt::AlignCenter, QStringLiteral("80"));
    p.setFont(uiFont(10));
    p.drawText(QRectF(104, 114, 56, 18), Qt::AlignCenter, QStringLiteral("♥ 76"));
    p.setPen(outline(Blue.darker(120), 1));
    p.setBrush(Blue);
    p.drawEllipse(QPointF(132, 153), 9, 9);
    caption(p, QStringLiteral("Давление"));
}

void ecg(QPainter& p)
{
    background(p, QColor(0xFD, 0xE6, 0xEA));
    const QRectF paper(14, 30, 152, 150);
    p.setPen(outline(Grey, 1));
    p.setBrush(QColor(0xFF, 0xF3, 0xF3));
    p.drawRect(paper);
    for (qreal x = paper.left(); x <= paper.right() + 0.1; x += 6) {
        const bool major = int((x - paper.left()) / 6) % 5 == 0;
        p.setPen(QPen(QColor(0xF2, 0x9C, 0xA3, major ? 200 : 90), major ? 0.9 : 0.5));
        p.drawLine(QPointF(x, paper.top()), QPointF(x, paper.bottom()));
    }
    for (qreal y = paper.top(); y <= paper.bottom() + 0.1; y += 6) {
        const bool major = int((y - paper.top()) / 6) % 5 == 0;
        p.setPen(QPen(QColor(0xF2, 0x9C, 0xA3, major ? 200 : 90), major ? 0.9 : 0.5));
        p.drawLine(QPointF(paper.left(), y), QPointF(paper.right(), y));
    }
    pulseTrace(p, paper.left() + 2, paper.right() - 2, 76, 28, Ink, 1.6);
    pulseTrace(p, paper.left() + 2, paper.right() - 2, 136, 22, Ink, 1.6);
    p.setPen(Ink);
    p.setFont(uiFont(8, true));
    p.drawText(QPointF(paper.left() + 4, paper.top() + 12), QStringLiteral("I"));
    p.drawText(QPointF(paper.left() + 4, paper.top() + 72), QStringLiteral("II"));
    p.setPen(outline(Blue, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(14, 184, 152, 22));
    p.setPen(outline(LightGrey, 2.5));
    p.drawLine(QPointF(20, 195), QPointF(150, 195));
    caption(p, QStringLiteral("ЭКГ"));
}

void fluorography(QPainter& p)
{
    background(p, QColor(0xE8, 0xEA, 0xF0));
    const QRectF film(18, 18, 144, 184);
    p.setPen(outline(Ink, 2));
    p.setBrush(QColor(0x1E, 0x26, 0x30));
    p.drawRoundedRect(film, 6, 6);
    // lungs
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x55, 0x63, 0x72));
    QPainterPath left, right;
    left.moveTo(84, 56);
    left.cubicTo(60, 50, 36, 110, 40, 176);
    left.cubicTo(56, 184, 74, 178, 84, 168);
    left.closeSubpath();
    right.moveTo(96, 56);
    right.cubicTo(120, 50, 144, 110, 140, 176);
    right.cubicTo(124, 184, 106, 178, 96, 168);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    // spine and ribs
    p.setBrush(QColor(0xD8, 0xDE, 0xE6));
    p.drawRoundedRect(QRectF(85, 30, 10, 168), 4, 4);
    p.setPen(outline(QColor(0xC2, 0xCA, 0xD4, 210), 3));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const qreal y = 62 + i * 17;
        const qreal spread = 38 + i * 3;
        QPainterPath rib;
        rib.moveTo(88, y);
        rib.cubicTo(88 - spread * 0.6, y - 10, 88 - spread, y + 2, 90 - spread - 4, y + 16);
        p.drawPath(rib);
        QPainterPath mirrored;
        mirrored.moveTo(92, y);
        mirrored.cubicTo(92 + spread * 0.6, y - 10, 92 + spread, y + 2, 90 + spread + 4, y + 16);
        p.drawPath(mirrored);
    }
    // collarbones and heart shadow
    p.setPen(outline(QColor(0xD8, 0xDE, 0xE6), 4));
    p.drawLine(QPointF(86, 46), QPointF(44, 40));
    p.drawLine(QPointF(94, 46), QPointF(136, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xAF, 0xB9, 0xC4, 150));
    p.drawEllipse(QRectF(88, 124, 40, 46));
    caption(p, QStringLiteral("Флюорография"));
}

void testTube(QPainter& p, const QRectF& tube, const QColor& liquid, qreal level)
{
    QPainterPath glass;
    glass.moveTo(tube.topLeft());
    glass.lineTo(tube.left(), tube.bottom() - tube.width() / 2);
    glass.arcTo(QRectF(tube.left(), tube.bottom() - tube.width(), tube.width(), tube.width()), 180, 180);
    glass.lineTo(tube.topRight());
    QPainterPath fill;
    const qreal top = tube.top() + tube.height() * (1 - level);
    fill.moveTo(tube.left(), top);
    fill.lineTo(tube.left(), tube.bottom() - tube.width() / 2);
    fill.arcTo(QRectF(tube.left(), tube.bottom() - tube.width(), tube.width(), tube.width()), 180, 180);
    fill.lineTo(tube.right(), top);
    fill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(liquid);
    p.drawPath(fill);
    p.setPen(outline(Grey, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    p.setPen(outline(QColor(255, 255, 255, 170), 2));
    p.drawLine(QPointF(tube.left() + 4, tube.top() + 8), QPointF(tube.left() + 4, tube.bottom() - 12));
}

void labSheet(QPainter& p, const QRectF& sheet, const QString& title)
{
    p.setPen(outline(Grey, 1));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(Blue);
    p.setFont(uiFont(7, true));
    p.drawText(QRectF(sheet.left(), sheet.top() + 3, sheet.width(), 10), Qt::AlignCenter, title);
    for (int i = 0; i < 5; ++i) {
        const qreal y = sheet.top() + 20 + i * 11;
        p.setPen(outline(LightGrey, 2.2));
        p.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.left() + sheet.width() * 0.55, y));
        p.setPen(outline(i == 1 ? Red : Grey, 2.2));
        p.drawLine(QPointF(sheet.left() + sheet.width() * 0.68, y), QPointF(sheet.right() - 6, y));
    }
}

void blood(QPainter& p)
{
    background(p, QColor(0xFD, 0xE6, 0xEA));
    labSheet(p, QRectF(84, 40, 84, 86), QStringLiteral("Анализ крови"));
    testTube(p, QRectF(30, 42, 24, 120), QColor(0xB3, 0x1B, 0x2A), 0.62);
    p.setPen(outline(Grey, 1));
    p.setBrush(QColor(0x7E, 0xB6, 0xE8));
    p.drawRoundedRect(QRectF(27, 34, 30, 12), 3, 3);
    // a drop
    QPainterPath drop;
    drop.moveTo(124, 140);
    drop.cubicTo(130, 152, 142, 162, 142, 174);
    drop.cubicTo(142, 186, 106, 186, 106, 174);
    drop.cubicTo(106, 162, 118, 152, 124, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawPath(drop);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(116, 172), 3.5, 6);
    caption(p, QStringLiteral("Анализ крови"));
}

void urine(QPainter& p)
{
    background(p, QColor(0xFB, 0xF6, 0xDC));
    labSheet(p, QRectF(92, 40, 78, 86), QStringLiteral("Анализ мочи"));
    const QRectF jar(20, 82, 64, 104);
    QPainterPath liquid;
    liquid.addRoundedRect(QRectF(jar.left() + 3, jar.top() + 38, jar.width() - 6, jar.height() - 41), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xD0, 0x4B, 210));
    p.drawPath(liquid);
    p.setPen(outline(Grey, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(jar, 8, 8);
    p.setBrush(QColor(0xE0, 0x5A, 0x4E));
    p.drawRoundedRect(QRectF(jar.left() - 4, jar.top() - 16, jar.width() + 8, 18), 4, 4);
    p.setPen(outline(Grey, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(jar.left() + 10, jar.top() + 10, jar.width() - 20, 20));
    p.setPen(outline(LightGrey, 2));
    p.drawLine(QPointF(jar.left() + 15, jar.top() + 17), QPointF(jar.right() - 15, jar.top() + 17));
    p.drawLine(QPointF(jar.left() + 15, jar.top() + 23), QPointF(jar.right() - 25, jar.top() + 23));
    p.setPen(outline(QColor(255, 255, 255, 160), 2.5));
    p.drawLine(QPointF(jar.left() + 7, jar.top() + 42), QPointF(jar.left() + 7, jar.bottom() - 10));
    caption(p, QStringLiteral("Анализ мочи"));
}

void spot(QPainter& p, const QPointF& centre)
{
    p.setPen(outline(Green.darker(130), 1));
    p.setBrush(QColor(0x3C, 0xC2, 0x74));
    p.drawEllipse(centre, 4.5, 4.5);
    p.setPen(outline(QColor(0x2E, 0x9E, 0x5B, 110), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 8, 8);
}

void lymphNodes(QPainter& p)
{
    background(p, QColor(0xE6, 0xF4, 0xEA));
    figure(p, 90, 14, 206, QColor(0xEC, 0xEE, 0xF1));
    const QPointF nodes[] = { { 83, 41 }, { 97, 41 }, { 76, 50 }, { 104, 50 }, { 67, 74 }, { 113, 74 },
        { 76, 116 }, { 104, 116 } };
    for (const QPointF& node : nodes)
        spot(p, node);
    caption(p, QStringLiteral("Лимфоузлы"));
}

void limbs(QPainter& p)
{
    background(p, QColor(0xE3, 0xEF, 0xFB));
    p.setPen(outline(SkinShade, 1.2));
    p.setBrush(Skin);
    for (qreal side : { -1.0, 1.0 }) {
        const qreal c = 90 + side * 25;
        p.drawEllipse(QPointF(c + side * 6, 198), 17, 7);
        QPainterPath leg;
        leg.moveTo(c - 22, 10);
        leg.cubicTo(c - 24, 60, c - 16, 100, c - 13, 122);
        leg.cubicTo(c - 19, 140, c - 14, 170, c - 8, 196);
        leg.lineTo(c + 8, 196);
        leg.cubicTo(c + 14, 170, c + 19, 140, c + 13, 122);
        leg.cubicTo(c + 16, 100, c + 24, 60, c + 22, 10);
        leg.closeSubpath();
        p.drawPath(leg);
    }
    // widened veins on the right leg
    p.setPen(outline(QColor(0x4A, 0x63, 0xB8), 2.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath vein;
    vein.moveTo(112, 60);
    vein.cubicTo(104, 80, 122, 96, 110, 118);
    vein.cubicTo(100, 136, 122, 150, 112, 176);
    p.drawPath(vein);
    QPainterPath branch;
    branch.moveTo(110, 118);
    branch.cubicTo(120, 126, 126, 134, 124, 146);
    p.drawPath(branch);
    p.setPen(outline(Red, 1.5));
    p.drawEllipse(QPointF(114, 132), 22, 30);
    caption(p, QStringLiteral("Конечности"));
}

void hernias(QPainter& p)
{
    background(p, QColor(0xFB, 0xF1, 0xE0));
    QPainterPath torso;
    torso.moveTo(40, 14);
    torso.cubicTo(34, 60, 44, 96, 40, 130);
    torso.cubicTo(36, 160, 44, 186, 52, 206);
    torso.lineTo(128, 206);
    torso.cubicTo(136, 186, 144, 160, 140, 130);
    torso.cubicTo(136, 96, 146, 60, 140, 14);
    torso.closeSubpath();
    p.setPen(outline(SkinShade, 1.2));
    p.setBrush(Skin);
    p.drawPath(torso);
    p.setPen(outline(SkinShade, 1.4));
    p.drawLine(QPointF(90, 30), QPointF(90, 70));
    p.setBrush(SkinShade);
    p.drawEllipse(QPointF(90, 112), 2.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(52, 160), QPointF(78, 190));
    p.drawLine(QPointF(128, 160), QPointF(102, 190));
    QPen dashed = outline(Red, 1.8);
    dashed.setStyle(Qt::DashLine);
    p.setPen(dashed);
    p.drawEllipse(QPointF(90, 112), 12, 12);
    p.drawEllipse(QPointF(62, 168), 11, 11);
    p.drawEllipse(QPointF(118, 168), 11, 11);
    caption(p, QStringLiteral("Грыжи"));
}

void cardiologist(QPainter& p)
{
    background(p, QColor(0xFD, 0xE6, 0xEA));
    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    p.drawPath(heartPath(QPointF(80, 96), 96));
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(QPointF(58, 78), 11, 7);
    // stethoscope
    p.setPen(outline(Ink, 3.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath tube;
    tube.moveTo(118, 30);
    tube.cubicTo(112, 60, 150, 70, 148, 110);
    tube.cubicTo(146, 150, 110, 150, 104, 128);
    p.drawPath(tube);
    p.drawLine(QPointF(118, 30), QPointF(126, 22));
    p.setPen(outline(Grey, 1.5));
    p.setBrush(QColor(0xC9, 0xCF, 0xD6));
    p.drawEllipse(QPointF(100, 128), 10, 10);
    // question bubble
    p.setPen(outline(Blue, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(22, 156, 60, 40), 10, 10);
    QPainterPath tail;
    tail.moveTo(62, 156);
    tail.lineTo(72, 146);
    tail.lineTo(72, 157);
    p.drawPath(tail);
    p.setPen(Blue);
    p.setFont(uiFont(13, true));
    p.drawText(QRectF(22, 156, 60, 40), Qt::AlignCenter, QStringLiteral("Да/Нет"));
    caption(p, QStringLiteral("Кардиолог"));
}

// The program's emblem and name, at the top of every report and in the About window.
void emblem(QPainter& p)
{
    p.fillRect(QRectF(0, 0, 360, 150), Qt::white);
    QLinearGradient tile(0, 15, 0, 135);
    tile.setColorAt(0, QColor(0x2C, 0xA6, 0xA4));
    tile.setColorAt(1, QColor(0x1E, 0x5C, 0x9C));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(16, 15, 120, 120), 24, 24);
    p.setBrush(Qt::white);
    p.drawPath(heartPath(QPointF(76, 78), 80));
    pulseTrace(p, 24, 128, 80, 24, Red, 5);
    p.setPen(QColor(0x1E, 0x5C, 0x9C));
    p.setFont(uiFont(34, true));
    p.drawText(QRectF(150, 28, 210, 48), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Тессора"));
    p.setPen(QColor(0x2C, 0xA6, 0xA4));
    p.setFont(uiFont(30, true));
    p.drawText(QRectF(150, 68, 210, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Про"));
    p.setPen(Grey);
    p.setFont(uiFont(12));
    p.drawText(QRectF(152, 106, 210, 20), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("домашнее самообследование"));
}

} // namespace

void drawPictures(const QString& folder)
{
    QDir().mkpath(folder);
    const struct {
        const char* name;
        void (*paint)(QPainter&);
    } pages[] = {
        { "Anthropometry", anthropometry },
        { "Anamnesis", anamnesis },
        { "Temperature", temperature },
        { "Puls", pulse },
        { "Pressure", pressure },
        { "Ecg", ecg },
        { "Fluorography", fluorography },
        { "Blood", blood },
        { "Urina", urine },
        { "Limfo", lymphNodes },
        { "Feet", limbs },
        { "Bulb", hernias },
        { "Cardio", cardiologist },
    };
    for (const auto& page : pages)
        saveJpeg(render(Width, Height, page.paint), folder + "/" + page.name + ".jpg");
    saveJpeg(render(360, 150, emblem), folder + "/Tessora.jpg");
}
