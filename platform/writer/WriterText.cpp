#include "platform/writer/WriterText.h"

#include "platform/writer/OfficeCall.h"
#include "platform/writer/UnoOffice.h"

#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/ParagraphAdjust.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/BorderLineStyle.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <QFileInfo>
#include <QUrl>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace WriterText {

namespace {

constexpr sal_Int16 kSingleLineWidth = 18; // 1/100 mm, about half a point
constexpr sal_Int32 kMaxPictureWidth = 15000; // 1/100 mm

OUString edgeProperty(Edge edge)
{
    switch (edge) {
    case Edge::Top:
        return OUString("TopBorder");
    case Edge::Left:
        return OUString("LeftBorder");
    case Edge::Bottom:
        return OUString("BottomBorder");
    case Edge::Right:
        break;
    }
    return OUString("RightBorder");
}

sal_Int32 wordToRgb(int wordColor)
{
    const int red = wordColor & 0xFF;
    const int green = (wordColor >> 8) & 0xFF;
    const int blue = (wordColor >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

int rgbToWord(sal_Int32 rgb)
{
    const int red = (rgb >> 16) & 0xFF;
    const int green = (rgb >> 8) & 0xFF;
    const int blue = rgb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

} // namespace

Edge edgeFromWord(int index)
{
    switch (index) {
    case -1:
        return Edge::Top;
    case -2:
        return Edge::Left;
    case -3:
        return Edge::Bottom;
    case -4:
        return Edge::Right;
    }
    throw OfficeCall::noSuchItem(QStringLiteral("граница %1").arg(index));
}

void setBorder(const Reference<table::XCell>& cell, Edge edge, int lineStyle)
{
    table::BorderLine2 line;
    if (lineStyle != 0) {
        line.LineStyle = table::BorderLineStyle::SOLID;
        line.OuterLineWidth = kSingleLineWidth;
        line.LineWidth = kSingleLineWidth;
    }
    Reference<beans::XPropertySet>(cell, UNO_QUERY_THROW)->setPropertyValue(edgeProperty(edge), Any(line));
}

int borderLineStyle(const Reference<table::XCell>& cell, Edge edge)
{
    table::BorderLine2 line;
    Reference<beans::XPropertySet>(cell, UNO_QUERY_THROW)->getPropertyValue(edgeProperty(edge)) >>= line;
    return line.OuterLineWidth + line.InnerLineWidth > 0 ? 1 : 0;
}

void setBackgroundColor(const Reference<table::XCell>& cell, int wordColor)
{
    Reference<beans::XPropertySet> properties(cell, UNO_QUERY_THROW);
    properties->setPropertyValue(OUString("BackColor"), Any(wordToRgb(wordColor)));
    properties->setPropertyValue(OUString("BackTransparent"), Any(false));
}

int backgroundColor(const Reference<table::XCell>& cell)
{
    Reference<beans::XPropertySet> properties(cell, UNO_QUERY_THROW);
    bool transparent = true;
    properties->getPropertyValue(OUString("BackTransparent")) >>= transparent;
    sal_Int32 rgb = 0xFFFFFF;
    properties->getPropertyValue(OUString("BackColor")) >>= rgb;
    // Word reports "automatic" (no colour) as -16777216.
    return transparent || rgb == -1 ? -16777216 : rgbToWord(rgb);
}

void setProperty(const Reference<text::XTextRange>& range, const QString& name, const Any& value)
{
    Reference<beans::XPropertySet>(range, UNO_QUERY_THROW)->setPropertyValue(toOUString(name), value);
}

Any property(const Reference<text::XTextRange>& range, const QString& name)
{
    return Reference<beans::XPropertySet>(range, UNO_QUERY_THROW)->getPropertyValue(toOUString(name));
}

Reference<text::XTextRange> wholeText(const Reference<text::XText>& text)
{
    Reference<text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoStart(false);
    cursor->gotoEnd(true);
    return Reference<text::XTextRange>(cursor, UNO_QUERY_THROW);
}

Reference<text::XTextRange> firstWord(const Reference<text::XText>& text)
{
    const QString content = toQString(text->getString());
    // A word is a run of letters and digits with its trailing blanks; any
    // other character is a word of its own, as Word counts them.
    int length = 0;
    while (length < content.size() && content[length].isLetterOrNumber())
        ++length;
    if (length == 0 && !content.isEmpty())
        length = 1;
    while (length < content.size() && content[length] == QLatin1Char(' '))
        ++length;
    Reference<text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoStart(false);
    cursor->goRight(static_cast<sal_Int16>(std::min(length, 0x7FFF)), true);
    return Reference<text::XTextRange>(cursor, UNO_QUERY_THROW);
}

QString wordParagraphs(QString value)
{
    // Word takes CR LF as one paragraph mark; the office would add a line
    // break after the paragraph break.
    return value.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
}

void insertBefore(const Reference<text::XText>& text, const QString& value)
{
    text->insertString(text->getStart(), toOUString(wordParagraphs(value)), false);
}

void setAlignment(const Reference<text::XTextRange>& range, int wordAlignment)
{
    style::ParagraphAdjust adjust = style::ParagraphAdjust_LEFT;
    switch (wordAlignment) {
    case 0:
        break;
    case 1:
        adjust = style::ParagraphAdjust_CENTER;
        break;
    case 2:
        adjust = style::ParagraphAdjust_RIGHT;
        break;
    case 3:
        adjust = style::ParagraphAdjust_BLOCK;
        break;
    default:
        throw Automation::EOleError(
            QStringLiteral("Недопустимое выравнивание %1").arg(wordAlignment), Automation::E_INVALIDARG);
    }
    setProperty(range, QStringLiteral("ParaAdjust"), Any(static_cast<sal_Int16>(adjust)));
}

int alignment(const Reference<text::XTextRange>& range)
{
    sal_Int16 adjust = 0;
    property(range, QStringLiteral("ParaAdjust")) >>= adjust;
    switch (static_cast<style::ParagraphAdjust>(adjust)) {
    case style::ParagraphAdjust_CENTER:
        return 1;
    case style::ParagraphAdjust_RIGHT:
        return 2;
    case style::ParagraphAdjust_BLOCK:
    case style::ParagraphAdjust_STRETCH:
        return 3;
    default:
        return 0;
    }
}

void insertPicture(const Reference<text::XTextDocument>& document,
    const Reference<uno::XComponentContext>& context, const Reference<text::XTextRange>& where,
    const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        throw Automation::EOleError(QStringLiteral("Файл %1 не найден").arg(file), Automation::E_INVALIDARG);
    const OUString url
        = toOUString(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded));
    Reference<graphic::XGraphicProvider> provider = graphic::GraphicProvider::create(context);
    const beans::PropertyValue urlValue = namedValue("URL", Any(url));
    const uno::Sequence<beans::PropertyValue> source(&urlValue, 1);
    Reference<graphic::XGraphic> picture;
    awt::Size size;
    try {
        picture = provider->queryGraphic(source);
        Reference<beans::XPropertySet> descriptor(provider->queryGraphicDescriptor(source), UNO_QUERY);
        awt::Size pixels;
        if (descriptor.is()) {
            descriptor->getPropertyValue(OUString("Size100thMM")) >>= size;
            descriptor->getPropertyValue(OUString("SizePixel")) >>= pixels;
        }
        if (size.Width <= 0 || size.Height <= 0)
            size = awt::Size(pixels.Width * 2540 / 96, pixels.Height * 2540 / 96);
    } catch (const uno::Exception&) {
        picture.clear();
    }
    if (!picture.is() || size.Width <= 0 || size.Height <= 0)
        throw Automation::EOleError(
            QStringLiteral("Файл %1 не является рисунком").arg(file), Automation::E_INVALIDARG);
    if (size.Width > kMaxPictureWidth) {
        size.Height
            = static_cast<sal_Int32>(static_cast<double>(size.Height) * kMaxPictureWidth / size.Width);
        size.Width = kMaxPictureWidth;
    }
    Reference<lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
    Reference<text::XTextContent> shape(
        factory->createInstance(OUString("com.sun.star.text.TextGraphicObject")), UNO_QUERY_THROW);
    Reference<beans::XPropertySet> properties(shape, UNO_QUERY_THROW);
    properties->setPropertyValue(OUString("Graphic"), Any(picture));
    properties->setPropertyValue(OUString("AnchorType"), Any(text::TextContentAnchorType_AS_CHARACTER));
    properties->setPropertyValue(OUString("Width"), Any(size.Width));
    properties->setPropertyValue(OUString("Height"), Any(size.Height));
    where->getText()->insertTextContent(where->getStart(), shape, false);
}

} // namespace WriterText
