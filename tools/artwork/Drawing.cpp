#include "Drawing.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

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

void saveIcon(const QString& pathWithoutSuffix, int units, const Painting& paint)
{
    QDir().mkpath(QFileInfo(pathWithoutSuffix).path());
    for (int scale : { 1, 2 }) {
        const QString path = pathWithoutSuffix + (scale == 1 ? QString() : QStringLiteral("@2x")) + ".png";
        if (!paintIcon(units, units * scale, paint).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
    }
}

QFont uiFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}
