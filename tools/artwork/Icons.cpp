#include "tools/artwork/Icons.h"

#include "tools/artwork/Drawing.h"

#include <QPainterPath>

namespace {

using namespace Palette;

// A sheet of paper with a folded corner inside `box`.
void sheet(QPainter& p, const QRectF& box, const QColor& border, const QColor& fill, qreal pen)
{
    const qreal fold = box.width() * 0.34;
    QPainterPath path;
    path.moveTo(box.topLeft());
    path.lineTo(box.right() - fold, box.top());
    path.lineTo(box.right(), box.top() + fold);
    path.lineTo(box.bottomRight());
    path.lineTo(box.bottomLeft());
    path.closeSubpath();
    p.setPen(outline(border, pen));
    p.setBrush(fill);
    p.drawPath(path);
    QPainterPath corner;
    corner.moveTo(box.right() - fold, box.top());
    corner.lineTo(box.right() - fold, box.top() + fold);
    corner.lineTo(box.right(), box.top() + fold);
    p.setBrush(border.lighter(170));
    p.drawPath(corner);
}

void textLines(
    QPainter& p, qreal left, qreal right, qreal top, qreal step, int count, const QColor& colour, qreal width)
{
    p.setPen(outline(colour, width));
    for (int i = 0; i < count; ++i) {
        const qreal y = top + i * step;
        p.drawLine(QPointF(left, y), QPointF(i == count - 1 ? (left + right) / 2 : right, y));
    }
}

void badge(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour)
{
    p.setPen(outline(Qt::white, radius * 0.25));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

void checkMark(QPainter& p, const QPointF& centre, qreal size, const QColor& colour, qreal width)
{
    p.setPen(outline(colour, width));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(centre + QPointF(-0.5 * size, 0.02 * size));
    path.lineTo(centre + QPointF(-0.15 * size, 0.36 * size));
    path.lineTo(centre + QPointF(0.5 * size, -0.34 * size));
    p.drawPath(path);
}

void cross(QPainter& p, const QPointF& centre, qreal size, const QColor& colour, qreal width)
{
    p.setPen(outline(colour, width));
    const qreal h = size / 2;
    p.drawLine(centre + QPointF(-h, -h), centre + QPointF(h, h));
    p.drawLine(centre + QPointF(-h, h), centre + QPointF(h, -h));
}

void plus(QPainter& p, const QPointF& centre, qreal size, const QColor& colour, qreal width)
{
    p.setPen(outline(colour, width));
    const qreal h = size / 2;
    p.drawLine(centre + QPointF(-h, 0), centre + QPointF(h, 0));
    p.drawLine(centre + QPointF(0, -h), centre + QPointF(0, h));
}

void folderIcon(QPainter& p, bool open)
{
    p.setPen(outline(DarkAmber, 0.9));
    QPainterPath back;
    back.moveTo(1.5, 3);
    back.lineTo(6, 3);
    back.lineTo(7.5, 4.5);
    back.lineTo(14.5, 4.5);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setBrush(open ? DarkAmber.lighter(140) : Amber);
    p.drawPath(back);
    if (open) {
        p.setBrush(Qt::white);
        p.setPen(outline(LightGrey, 0.6));
        p.drawRect(QRectF(3.5, 5.5, 9, 6));
        QPainterPath flap;
        flap.moveTo(1.5, 13.5);
        flap.lineTo(3.6, 7.5);
        flap.lineTo(15.5, 7.5);
        flap.lineTo(13.4, 13.5);
        flap.closeSubpath();
        p.setPen(outline(DarkAmber, 0.9));
        p.setBrush(Amber);
        p.drawPath(flap);
    } else {
        p.setPen(outline(DarkAmber.lighter(115), 0.7));
        p.drawLine(QPointF(2, 6.5), QPointF(14, 6.5));
    }
}

void treePage(QPainter& p)
{
    sheet(p, QRectF(3, 1.5, 10, 13), Grey, Qt::white, 0.9);
    textLines(p, 5, 11, 7, 2.3, 3, LightGrey, 0.9);
}

void treeOpened(QPainter& p)
{
    treePage(p);
    badge(p, QPointF(11.6, 11.6), 3.9, Green);
    checkMark(p, QPointF(11.6, 11.8), 4, Qt::white, 1.3);
}

void treeSelected(QPainter& p)
{
    sheet(p, QRectF(3, 1.5, 10, 13), Blue, LightBlue, 1.1);
    textLines(p, 5, 11, 7, 2.3, 3, Blue, 0.9);
    // a pencil across the sheet: the page being filled in
    p.save();
    p.translate(11.8, 11.2);
    p.rotate(-45);
    p.setPen(outline(DarkAmber, 0.6));
    p.setBrush(Amber);
    p.drawRect(QRectF(-1.2, -5.5, 2.4, 7.5));
    QPainterPath tip;
    tip.moveTo(-1.2, 2);
    tip.lineTo(1.2, 2);
    tip.lineTo(0, 4.2);
    tip.closeSubpath();
    p.setBrush(Skin);
    p.drawPath(tip);
    p.restore();
}

void newIcon(QPainter& p)
{
    sheet(p, QRectF(4, 2, 14, 19), Grey, Qt::white, 1.2);
    textLines(p, 7, 15, 9, 3, 3, LightGrey, 1.2);
    badge(p, QPointF(17, 17), 5.6, Green);
    plus(p, QPointF(17, 17), 5.2, Qt::white, 1.9);
}

void reportIcon(QPainter& p)
{
    sheet(p, QRectF(4, 2, 16, 20), Blue, Qt::white, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(Blue);
    p.drawRect(QRectF(6.5, 5, 6.5, 2.2));
    textLines(p, 6.5, 17.5, 10, 2.6, 2, LightGrey, 1.2);
    // a small table, as the report holds
    p.setPen(outline(Blue, 0.9));
    p.setBrush(LightBlue);
    const QRectF table(6.5, 14.5, 11, 5);
    p.drawRect(table);
    p.drawLine(QPointF(table.left(), table.center().y()), QPointF(table.right(), table.center().y()));
    p.drawLine(QPointF(table.left() + 4, table.top()), QPointF(table.left() + 4, table.bottom()));
}

void exitIcon(QPainter& p)
{
    p.setPen(outline(Grey, 1.2));
    p.setBrush(QColor(0xEE, 0xF1, 0xF4));
    p.drawRect(QRectF(3, 2.5, 11, 19));
    QPainterPath door;
    door.moveTo(3, 2.5);
    door.lineTo(10, 4.5);
    door.lineTo(10, 23);
    door.lineTo(3, 21.5);
    door.closeSubpath();
    p.setBrush(QColor(0x9C, 0x6B, 0x43));
    p.setPen(outline(QColor(0x6E, 0x48, 0x2A), 1.1));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(Amber);
    p.drawEllipse(QPointF(8.4, 13), 0.9, 0.9);
    p.setPen(outline(Red, 2.4));
    p.drawLine(QPointF(13, 12), QPointF(21, 12));
    QPainterPath head;
    head.moveTo(18, 8.2);
    head.lineTo(22.5, 12);
    head.lineTo(18, 15.8);
    p.drawPath(head);
}

// The shaded round button behind the navigation and help icons.
void blueDisc(QPainter& p)
{
    QLinearGradient shade(0, 2, 0, 22);
    shade.setColorAt(0, Blue.lighter(130));
    shade.setColorAt(1, Blue.darker(110));
    p.setPen(outline(Blue.darker(130), 1));
    p.setBrush(shade);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
}

void arrowIcon(QPainter& p, bool forward)
{
    blueDisc(p);
    if (!forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    p.setPen(outline(Qt::white, 2.6));
    p.drawLine(QPointF(6.5, 12), QPointF(16.5, 12));
    QPainterPath head;
    head.moveTo(12.5, 7.2);
    head.lineTo(17.3, 12);
    head.lineTo(12.5, 16.8);
    p.setBrush(Qt::NoBrush);
    p.drawPath(head);
}

void helpIcon(QPainter& p)
{
    blueDisc(p);
    p.setPen(Qt::white);
    p.setFont(uiFont(15, true));
    p.drawText(QRectF(2, 1.5, 20, 21), Qt::AlignCenter, QStringLiteral("?"));
}

void markSet(QPainter& p)
{
    p.setPen(outline(Green.darker(130), 1));
    p.setBrush(Green);
    p.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 3, 3);
    checkMark(p, QPointF(9, 9.3), 8.5, Qt::white, 2);
}

void markEmpty(QPainter& p)
{
    p.setPen(outline(Grey, 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 1.5, 15, 15), 3, 3);
}

void answerIcon(QPainter& p, bool yes)
{
    const QColor colour = yes ? Green : Red;
    p.setPen(outline(colour.darker(130), 1));
    p.setBrush(colour);
    p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
    if (yes)
        checkMark(p, QPointF(12, 12.5), 11, Qt::white, 2.8);
    else
        cross(p, QPointF(12, 12), 9, Qt::white, 2.8);
}

// A white heart crossed by a pulse trace on a rounded blue-green tile.
void programIcon(QPainter& p)
{
    QLinearGradient tile(0, 0, 0, 256);
    tile.setColorAt(0, QColor(0x2C, 0xA6, 0xA4));
    tile.setColorAt(1, QColor(0x1E, 0x5C, 0x9C));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
    QPainterPath heart;
    heart.moveTo(128, 214);
    heart.cubicTo(40, 150, 26, 104, 44, 74);
    heart.cubicTo(64, 40, 112, 42, 128, 82);
    heart.cubicTo(144, 42, 192, 40, 212, 74);
    heart.cubicTo(230, 104, 216, 150, 128, 214);
    p.setBrush(Qt::white);
    p.drawPath(heart);
    QPainterPath trace;
    trace.moveTo(30, 132);
    trace.lineTo(84, 132);
    trace.lineTo(100, 104);
    trace.lineTo(120, 172);
    trace.lineTo(142, 78);
    trace.lineTo(160, 150);
    trace.lineTo(172, 132);
    trace.lineTo(226, 132);
    p.setPen(outline(Red, 13));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

} // namespace

void drawIcons(const QString& folder)
{
    saveIcon(folder + "/tree/0", 16, treePage);
    saveIcon(folder + "/tree/1", 16, treeOpened);
    saveIcon(folder + "/tree/2", 16, treeSelected);
    saveIcon(folder + "/tree/3", 16, [](QPainter& p) { folderIcon(p, false); });
    saveIcon(folder + "/tree/4", 16, [](QPainter& p) { folderIcon(p, true); });
    saveIcon(folder + "/main/0", 24, newIcon);
    saveIcon(folder + "/main/2", 24, reportIcon);
    saveIcon(folder + "/main/4", 24, exitIcon);
    saveIcon(folder + "/main/8", 24, [](QPainter& p) { arrowIcon(p, false); });
    saveIcon(folder + "/main/10", 24, [](QPainter& p) { arrowIcon(p, true); });
    saveIcon(folder + "/main/13", 24, helpIcon);
    saveIcon(folder + "/marks/0", 18, markSet);
    saveIcon(folder + "/marks/1", 18, markEmpty);
    saveIcon(folder + "/answer/yes", 24, [](QPainter& p) { answerIcon(p, true); });
    saveIcon(folder + "/answer/no", 24, [](QPainter& p) { answerIcon(p, false); });
    // The window icon, also the desktop's 256x256 one.
    savePng(paintIcon(256, 256, programIcon), folder + "/app/tessora.png");
    // The desktop's other icon sizes, each drawn at its own size.
    for (const int size : { 16, 22, 24, 32, 48, 64, 128, 512 })
        savePng(paintIcon(256, size, programIcon), folder + QStringLiteral("/app/hicolor/%1.png").arg(size));
}
