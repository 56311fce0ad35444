#include "tools/artwork/Drawing.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

QPen outline(const QColor& colour, qreal width)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QImage paintIcon(int units, int pixels, const Painting& paint)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(qreal(pixels) / units, qreal(pixels) / units);
    paint(painter);
    return image;
}

void savePng(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "png")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void saveIcon(const QString& pathWithoutSuffix, int units, const Painting& paint)
{
    savePng(paintIcon(units, units, paint), pathWithoutSuffix + ".png");
    savePng(paintIcon(units, units * 2, paint), pathWithoutSuffix + "@2x.png");
}

QFont uiFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}
