// Usage: make_artwork <repository root> [icons|pictures]
#include "tools/artwork/Icons.h"
#include "tools/artwork/Pictures.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <repository root> [icons|pictures]\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString what = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (what.isEmpty() || what == QLatin1String("icons"))
        drawIcons(root + "/resources/icons");
    if (what.isEmpty() || what == QLatin1String("pictures"))
        drawPictures(root + "/data/Images");
    return 0;
}
