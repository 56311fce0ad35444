#include "app/PageTips.h"

#include "app/uTessoraClasses.h"
#include "platform/files/CodePage.h"
#include "platform/files/DataFile.h"
#include "platform/files/DataFolder.h"
#include "platform/jpeg/JpegLoader.h"

#include <QFileInfo>

namespace {

// A tip is a page of text; a larger file is shown up to this size rather than
// filling the memory.
constexpr qint64 MaxTipBytes = 64 * 1024;

QString PageFileName(int tag)
{
    return tag >= 0 && tag < int(PageFileNames.size()) ? PageFileNames[tag] : QString();
}

} // namespace

QString PageTipText(int tag)
{
    const QString name = PageFileName(tag);
    if (name.isEmpty())
        return {};
    const QString path = DataFolder::file(QStringLiteral("Common/%1.txt").arg(name));
    return CodePage::toUnicode(DataFile::read(path, MaxTipBytes).bytes);
}

std::optional<QImage> PagePicture(int tag)
{
    const QString name = PageFileName(tag);
    if (name.isEmpty())
        return std::nullopt;
    const QString path = DataFolder::file(QStringLiteral("Images/%1.jpg").arg(name));
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return LoadJpeg(path).image;
}
