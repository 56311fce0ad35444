#pragma once

#include <QImage>
#include <QString>

#include <optional>

// The tip text of a page by its tag, from Common/; empty for a page without one.
QString PageTipText(int tag);
// The picture of a page by its tag, from Images/: none when the page has no
// picture file, a null image when the file yields nothing, otherwise whatever
// could be decoded.
std::optional<QImage> PagePicture(int tag);
