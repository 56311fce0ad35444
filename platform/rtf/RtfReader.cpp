#include "platform/rtf/RtfReader.h"

#include "platform/files/CodePage.h"
#include "platform/files/DataFile.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <deque>
#include <optional>
#include <vector>

namespace {

QString overlongWordNotice()
{
    return QStringLiteral("В документе есть слово длиннее %1 знаков: показано только начало документа.")
        .arg(Rtf::MaxWordLength);
}

using CodeTable = std::array<QChar, 256>;

CodeTable makeCodeTable(int codePage)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    QString decoded;
    if (codePage == 1251) {
        decoded = CodePage::toUnicode(all);
    } else {
        QStringDecoder decoder(QStringLiteral("windows-%1").arg(codePage).toLatin1().constData());
        decoded = decoder.isValid() ? decoder.decode(all) : QString::fromLatin1(all);
        if (decoded.size() != 256)
            decoded = QString::fromLatin1(all);
    }
    CodeTable table;
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = decoded.at(i);
    return table;
}

// The code tables one document uses; a document that names ever new code
// pages (damaged or hostile) keeps only the most recent few.
class CodeTables {
public:
    const CodeTable& operator[](int codePage)
    {
        for (const auto& [known, table] : m_tables)
            if (known == codePage)
                return table;
        if (m_tables.size() >= MaxTables)
            m_tables.pop_front();
        m_tables.emplace_back(codePage, makeCodeTable(codePage));
        return m_tables.back().second;
    }

private:
    static constexpr std::size_t MaxTables = 8;
    std::deque<std::pair<int, CodeTable>> m_tables;
};

int codePageOfCharset(int charset, int fallback)
{
    switch (charset) {
    case 0:
        return 1252;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 238:
        return 1250;
    default:
        return fallback;
    }
}

enum class Destination { Text, Skip, FontTable, ColorTable };

struct Font {
    QString name;
    int codePage = 0; // 0: the document's
};

struct GroupState {
    Destination destination = Destination::Text;
    QTextCharFormat charFormat;
    QTextBlockFormat blockFormat;
    QList<double> tabStops; // from the page margin, in pixels
    int unicodeSkip = 1;
    int font = -1;
};

// A number from a control word, kept within a range any sane document uses.
constexpr int NumberLimit = 1'000'000'000;
constexpr int MaxNesting = 4096;
constexpr double TwipsPerPixel = 15.0;

// The value of a hexadecimal digit, -1 for any other byte.
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct ColorEntry {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool given = false;
};

class Reader {
public:
    Reader(const QByteArray& data, QTextDocument& document)
        : m_data(data)
        , m_cursor(&document)
    {
    }

    Rtf::ReadResult run();

private:
    void parse();
    void readControl();
    std::optional<int> readParameter();
    bool atLetter() const;
    bool atDigit(qsizetype position) const;
    bool onlyPaddingFrom(qsizetype position) const;
    void openGroup();
    void closeGroup();
    void controlWord(const QByteArray& word, std::optional<int> parameter);
    void controlSymbol(char symbol);
    void fontTableWord(const QByteArray& word, std::optional<int> parameter, bool ignorable);
    void colorTableWord(const QByteArray& word, std::optional<int> parameter);
    bool destinationWord(const QByteArray& word, bool ignorable);
    bool documentWord(const QByteArray& word, std::optional<int> parameter);
    bool textWord(const QByteArray& word, std::optional<int> parameter);
    void skipBinary(std::optional<int> length);
    bool characterFormat(const QByteArray& word, std::optional<int> parameter);
    bool paragraphFormat(const QByteArray& word, std::optional<int> parameter);
    bool destination(const QByteArray& word);
    void textByte(unsigned char byte);
    void character(QChar c);
    void text(const QString& s);
    void paragraph();
    void flush();
    QTextBlockFormat paragraphFormat() const;
    void finishFontEntry();
    void finishColorEntry();
    int currentCodePage() const;

    GroupState& state() { return m_stack.back(); }
    const GroupState& state() const { return m_stack.back(); }

    const QByteArray& m_data;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<GroupState> m_stack;
    QString m_pending;
    int m_skipCount = 0; // characters still to skip after \uN
    int m_overflow = 0; // groups opened beyond the nesting limit
    bool m_ignorableNext = false;
    bool m_damaged = false;
    bool m_rootClosed = false;
    int m_wordLength = 0;
    bool m_wordTooLong = false;
    int m_codePage = 1252;
    CodeTables m_codeTables;
    int m_defaultFont = -1;
    QHash<int, Font> m_fonts;
    int m_fontEntry = -1;
    QString m_fontName;
    int m_fontCharset = -1;
    QList<std::optional<QColor>> m_colors;
    ColorEntry m_colorEntry;
};

Rtf::ReadResult Reader::run()
{
    m_stack.push_back(GroupState());
    QTextDocument* document = m_cursor.document();
    document->clear();
    // Without an undo history and inside one edit block the document neither
    // keeps a copy of every insertion nor lays out the growing paragraph after
    // each one, which would make reading a long paragraph quadratic.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    m_cursor = QTextCursor(document);
    m_cursor.beginEditBlock();
    parse();
    flush();
    m_cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    if (m_wordTooLong)
        return { Rtf::Outcome::Cut, overlongWordNotice() };
    if (!m_rootClosed) {
        m_cursor.setBlockFormat(paragraphFormat());
        m_damaged = true;
    } else if (!onlyPaddingFrom(m_pos)) {
        m_damaged = true; // the document was closed before its end
    }
    if (m_damaged)
        return { Rtf::Outcome::Damaged,
            QStringLiteral("Документ поврежден: показано то, что удалось прочитать.") };
    return {};
}

void Reader::parse()
{
    while (m_pos < m_data.size() && !m_rootClosed) {
        const char c = m_data.at(m_pos++);
        switch (c) {
        case '{':
            openGroup();
            break;
        case '}':
            closeGroup();
            break;
        case '\\':
            readControl();
            break;
        case '\r':
        case '\n':
            break;
        default:
            textByte(static_cast<unsigned char>(c));
        }
    }
}

bool Reader::atLetter() const
{
    if (m_pos >= m_data.size())
        return false;
    const char c = m_data.at(m_pos);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool Reader::atDigit(qsizetype position) const
{
    return position < m_data.size() && m_data.at(position) >= '0' && m_data.at(position) <= '9';
}

void Reader::readControl()
{
    if (m_pos >= m_data.size())
        return;
    if (!atLetter()) {
        controlSymbol(m_data.at(m_pos++));
        return;
    }
    QByteArray word;
    while (atLetter() && word.size() < 32)
        word.append(m_data.at(m_pos++));
    const std::optional<int> parameter = readParameter();
    if (m_pos < m_data.size() && m_data.at(m_pos) == ' ')
        ++m_pos; // the delimiter belongs to the control word
    controlWord(word, parameter);
}

std::optional<int> Reader::readParameter()
{
    const bool negative = m_pos < m_data.size() && m_data.at(m_pos) == '-' && atDigit(m_pos + 1);
    if (negative)
        ++m_pos;
    if (!atDigit(m_pos))
        return std::nullopt;
    long long value = 0;
    while (atDigit(m_pos))
        value = std::min<long long>(value * 10 + (m_data.at(m_pos++) - '0'), NumberLimit);
    return static_cast<int>(negative ? -value : value);
}

bool Reader::onlyPaddingFrom(qsizetype position) const
{
    for (qsizetype i = position; i < m_data.size(); ++i) {
        const char c = m_data.at(i);
        if (c != '\0' && c != ' ' && c != '\r' && c != '\n' && c != '\t')
            return false;
    }
    return true;
}

void Reader::openGroup()
{
    flush();
    m_skipCount = 0;
    if (m_stack.size() >= MaxNesting) {
        // Deeper groups share the state of the deepest one kept.
        m_damaged = true;
        ++m_overflow;
        return;
    }
    m_stack.push_back(state());
}

void Reader::closeGroup()
{
    flush();
    m_skipCount = 0;
    m_ignorableNext = false;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() <= 1) {
        m_damaged = true; // a closing brace without its opening one
        return;
    }
    const Destination closing = state().destination;
    if (m_stack.size() == 2)
        m_cursor.setBlockFormat(paragraphFormat()); // the last paragraph keeps its own format
    m_stack.pop_back();
    // Leaving the table ends its last entry; leaving an entry's own group
    // ends an entry whose name lacks the closing ";".
    if (closing == Destination::FontTable
        && (state().destination != Destination::FontTable || !m_fontName.isEmpty()))
        finishFontEntry();
    if (m_stack.size() == 1)
        m_rootClosed = true;
}

void Reader::controlWord(const QByteArray& word, std::optional<int> parameter)
{
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    if (m_skipCount > 0 && word != "u") {
        --m_skipCount;
        return;
    }
    switch (state().destination) {
    case Destination::Skip:
        if (word == "bin")
            skipBinary(parameter);
        return;
    case Destination::FontTable:
        fontTableWord(word, parameter, ignorable);
        return;
    case Destination::ColorTable:
        colorTableWord(word, parameter);
        return;
    case Destination::Text:
        break;
    }
    if (destinationWord(word, ignorable) || documentWord(word, parameter) || textWord(word, parameter))
        return;
    if (!characterFormat(word, parameter))
        paragraphFormat(word, parameter); // any other control word is a feature not shown here
}

void Reader::fontTableWord(const QByteArray& word, std::optional<int> parameter, bool ignorable)
{
    if (word == "f" && parameter) {
        if (m_fontEntry >= 0 && !m_fontName.isEmpty())
            finishFontEntry();
        m_fontEntry = *parameter;
        m_fontName.clear();
        m_fontCharset = -1;
    } else if (word == "fcharset" && parameter) {
        m_fontCharset = *parameter;
    } else if (word == "cpg" && parameter && m_fontCharset < 0) {
        m_fontCharset = -(*parameter) - 2; // code page given directly
    } else if (destination(word) || ignorable) {
        state().destination = Destination::Skip;
    }
}

void Reader::colorTableWord(const QByteArray& word, std::optional<int> parameter)
{
    const int value = std::clamp(parameter.value_or(0), 0, 255);
    if (word == "red")
        m_colorEntry.red = value;
    else if (word == "green")
        m_colorEntry.green = value;
    else if (word == "blue")
        m_colorEntry.blue = value;
    else
        return;
    m_colorEntry.given = true;
}

bool Reader::destinationWord(const QByteArray& word, bool ignorable)
{
    GroupState& s = state();
    if (word == "fonttbl") {
        s.destination = Destination::FontTable;
        m_fontEntry = -1;
        m_fontName.clear();
    } else if (word == "colortbl") {
        s.destination = Destination::ColorTable;
        m_colors.clear();
        m_colorEntry = ColorEntry();
    } else if (destination(word) || ignorable) {
        flush();
        s.destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

bool Reader::documentWord(const QByteArray& word, std::optional<int> parameter)
{
    if (word == "uc")
        state().unicodeSkip = std::clamp(parameter.value_or(1), 0, 16);
    else if (word == "ansicpg" && parameter)
        m_codePage = *parameter;
    else if (word == "deff" && parameter)
        m_defaultFont = *parameter;
    else if (word == "bin")
        skipBinary(parameter); // binary data outside a picture or object means nothing
    else
        return false;
    return true;
}

void Reader::skipBinary(std::optional<int> length)
{
    if (length && *length > 0)
        m_pos = std::min<qsizetype>(m_data.size(), m_pos + *length);
}

bool Reader::textWord(const QByteArray& word, std::optional<int> parameter)
{
    static const QHash<QByteArray, char16_t> specials = {
        { "line", u'\u2028' },
        { "tab", u'\t' },
        { "cell", u'\t' },
        { "nestcell", u'\t' },
        { "emdash", u'\u2014' },
        { "endash", u'\u2013' },
        { "bullet", u'\u2022' },
        { "lquote", u'\u2018' },
        { "rquote", u'\u2019' },
        { "ldblquote", u'\u201C' },
        { "rdblquote", u'\u201D' },
        { "emspace", u'\u2003' },
        { "enspace", u'\u2002' },
        { "qmspace", u'\u2005' },
    };
    if (word == "u" && parameter) {
        int code = *parameter;
        if (code < 0)
            code += 65536;
        if (code >= 0 && code <= 0xFFFF)
            character(QChar(static_cast<char16_t>(code)));
        m_skipCount = state().unicodeSkip;
        return true;
    }
    if (word == "par" || word == "page" || word == "sect" || word == "row" || word == "nestrow") {
        paragraph();
        return true;
    }
    const auto special = specials.constFind(word);
    if (special == specials.constEnd())
        return false;
    character(QChar(*special));
    return true;
}

bool Reader::characterFormat(const QByteArray& word, std::optional<int> parameter)
{
    QTextCharFormat& f = state().charFormat;
    const bool on = parameter.value_or(1) != 0;
    if (word == "plain") {
        flush();
        f = QTextCharFormat();
        if (m_fonts.contains(m_defaultFont))
            f.setFontFamilies({ m_fonts.value(m_defaultFont).name });
        state().font = m_defaultFont;
        return true;
    }
    if (word == "b") {
        flush();
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    } else if (word == "i") {
        flush();
        f.setFontItalic(on);
    } else if (word == "ul" || word == "uld" || word == "uldash" || word == "uldashd" || word == "uldashdd"
        || word == "uldb" || word == "ulhwave" || word == "ulldash" || word == "ulth" || word == "ulthd"
        || word == "ulthdash" || word == "ulthdashd" || word == "ulthdashdd" || word == "ulthldash"
        || word == "ululdbwave" || word == "ulw" || word == "ulwave") {
        flush();
        f.setFontUnderline(on);
    } else if (word == "ulnone") {
        flush();
        f.setFontUnderline(false);
    } else if (word == "strike" || word == "striked") {
        flush();
        f.setFontStrikeOut(on);
    } else if (word == "super") {
        flush();
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    } else if (word == "sub") {
        flush();
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    } else if (word == "nosupersub") {
        flush();
        f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    } else if (word == "fs") {
        flush();
        // Half points; 1638 pt is the largest size word processors allow.
        f.setFontPointSize(std::clamp(parameter.value_or(24), 2, 3276) / 2.0);
    } else if (word == "cf" || word == "highlight" || word == "cb" || word == "chcbpat") {
        flush();
        const int index = parameter.value_or(0);
        const std::optional<QColor> color
            = index >= 0 && index < m_colors.size() ? m_colors.at(index) : std::optional<QColor>();
        if (word == "cf") {
            if (color)
                f.setForeground(*color);
            else
                f.clearForeground();
        } else if (color) {
            f.setBackground(*color);
        } else {
            f.clearBackground();
        }
    } else if (word == "f") {
        flush();
        const int font = parameter.value_or(m_defaultFont);
        state().font = font;
        if (m_fonts.contains(font))
            f.setFontFamilies({ m_fonts.value(font).name });
    } else {
        return false;
    }
    return true;
}

bool Reader::paragraphFormat(const QByteArray& word, std::optional<int> parameter)
{
    QTextBlockFormat& b = state().blockFormat;
    const double pixels = std::clamp(parameter.value_or(0), -30000, 30000) / TwipsPerPixel;
    if (word == "pard") {
        b = QTextBlockFormat();
        state().tabStops.clear();
    } else if (word == "ql")
        b.setAlignment(Qt::AlignLeft);
    else if (word == "qc")
        b.setAlignment(Qt::AlignHCenter);
    else if (word == "qr")
        b.setAlignment(Qt::AlignRight);
    else if (word == "qj")
        b.setAlignment(Qt::AlignJustify);
    else if (word == "li")
        b.setLeftMargin(std::max(0.0, pixels));
    else if (word == "ri")
        b.setRightMargin(std::max(0.0, pixels));
    else if (word == "fi")
        b.setTextIndent(pixels);
    else if (word == "sb")
        b.setTopMargin(std::max(0.0, pixels));
    else if (word == "sa")
        b.setBottomMargin(std::max(0.0, pixels));
    else if (word == "tx" && pixels > 0) {
        if (state().tabStops.size() < 64)
            state().tabStops.append(pixels);
    } else
        return false;
    return true;
}

bool Reader::destination(const QByteArray& word)
{
    static const QList<QByteArray> skipped = {
        "annotation",
        "atnauthor",
        "atnid",
        "author",
        "bkmkend",
        "bkmkstart",
        "colorschememapping",
        "comment",
        "datastore",
        "docvar",
        "falt",
        "filetbl",
        "fldinst",
        "footer",
        "footerf",
        "footerl",
        "footerr",
        "footnote",
        "formfield",
        "generator",
        "header",
        "headerf",
        "headerl",
        "headerr",
        "info",
        "latentstyles",
        "listoverridetable",
        "listpicture",
        "listtable",
        "mmathPr",
        "nonshppict",
        "object",
        "objdata",
        "operator",
        "panose",
        "pgdsctbl",
        "pict",
        "pn",
        "pnseclvl",
        "private",
        "revtbl",
        "rsidtbl",
        "shpinst",
        "stylesheet",
        "subject",
        "tc",
        "template",
        "themedata",
        "title",
        "userprops",
        "xe",
        "xmlnstbl",
    };
    return skipped.contains(word);
}

void Reader::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (symbol == '\'') {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_data.size()) {
            const int digit = hexDigit(m_data.at(m_pos));
            if (digit < 0)
                break;
            value = value * 16 + digit;
            ++digits;
            ++m_pos;
        }
        if (digits > 0)
            textByte(static_cast<unsigned char>(value));
        return;
    }
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        textByte(static_cast<unsigned char>(symbol));
        break;
    case '~':
        character(QChar::Nbsp);
        break;
    case '_':
        character(QChar(0x2011));
        break;
    case '-':
        character(QChar::SoftHyphen);
        break;
    case '\r':
    case '\n':
        paragraph();
        break;
    case '\t':
        character(QLatin1Char('\t'));
        break;
    default:
        break;
    }
}

int Reader::currentCodePage() const
{
    const int font = state().font >= 0 ? state().font : m_defaultFont;
    const auto found = m_fonts.constFind(font);
    if (found != m_fonts.constEnd() && found->codePage > 0)
        return found->codePage;
    return m_codePage;
}

void Reader::textByte(unsigned char byte)
{
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (state().destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        if (byte == ';')
            finishFontEntry();
        else if (m_fontEntry >= 0)
            m_fontName.append(m_codeTables[m_codePage][byte]);
        return;
    case Destination::ColorTable:
        if (byte == ';')
            finishColorEntry();
        return;
    case Destination::Text:
        character(m_codeTables[currentCodePage()][byte]);
    }
}

void Reader::character(QChar c)
{
    if (state().destination != Destination::Text)
        return;
    // Control characters of binary junk are not text.
    if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || m_wordTooLong)
        return;
    if (c.isSpace())
        m_wordLength = 0;
    else if (++m_wordLength > Rtf::MaxWordLength)
        m_wordTooLong = true;
    if (!m_wordTooLong)
        m_pending.append(c);
}

void Reader::paragraph()
{
    if (state().destination != Destination::Text || m_wordTooLong)
        return;
    m_wordLength = 0;
    flush();
    m_cursor.setBlockFormat(paragraphFormat());
    m_cursor.insertBlock(paragraphFormat(), state().charFormat);
}

QTextBlockFormat Reader::paragraphFormat() const
{
    // Tab stops count from the page margin; Qt counts them from where the
    // first line starts.
    QTextBlockFormat format = state().blockFormat;
    const double lineStart = format.leftMargin() + format.textIndent();
    QList<QTextOption::Tab> tabs;
    for (double stop : state().tabStops) {
        if (stop > lineStart)
            tabs.append(QTextOption::Tab(stop - lineStart, QTextOption::LeftTab));
    }
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

void Reader::flush()
{
    if (m_pending.isEmpty())
        return;
    m_cursor.insertText(m_pending, state().charFormat);
    m_pending.clear();
}

void Reader::finishFontEntry()
{
    if (m_fontEntry >= 0) {
        Font font;
        font.name = m_fontName.trimmed();
        if (m_fontCharset <= -2)
            font.codePage = -(m_fontCharset + 2);
        else if (m_fontCharset >= 0)
            font.codePage = codePageOfCharset(m_fontCharset, 0);
        m_fonts.insert(m_fontEntry, font);
    }
    m_fontEntry = -1;
    m_fontName.clear();
    m_fontCharset = -1;
}

void Reader::finishColorEntry()
{
    if (m_colorEntry.given)
        m_colors.append(QColor(m_colorEntry.red, m_colorEntry.green, m_colorEntry.blue));
    else
        m_colors.append(std::nullopt); // "auto": the text keeps its default colour
    m_colorEntry = ColorEntry();
}

bool hasRtfHeader(const QByteArray& data)
{
    qsizetype start = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < data.size() && QChar::isSpace(static_cast<unsigned char>(data.at(start))))
        ++start;
    return data.mid(start, 5) == "{\\rtf";
}

// Where the first word longer than MaxWordLength passes it, or -1.
qsizetype overlongWordEnd(const QString& text)
{
    int length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        length = text.at(i).isSpace() ? 0 : length + 1;
        if (length > Rtf::MaxWordLength)
            return i;
    }
    return -1;
}

// False when the text was cut at an overlong word.
bool showAsPlainText(const QByteArray& data, QTextDocument& document)
{
    QString text = CodePage::toUnicode(data);
    text.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'); });
    const qsizetype end = overlongWordEnd(text);
    if (end >= 0)
        text.truncate(end);
    document.setPlainText(text);
    return end < 0;
}

// The problem as the document's last paragraph, set apart from the text.
void appendNotice(QTextDocument& document, const QString& notice)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontItalic(true);
    format.setForeground(QColor(0x80, 0, 0));
    if (!document.isEmpty())
        cursor.insertBlock(QTextBlockFormat(), format);
    cursor.insertText(notice, format);
}

} // namespace

namespace Rtf {

ReadResult read(const QByteArray& rtf, QTextDocument& document)
{
    if (!hasRtfHeader(rtf)) {
        if (!showAsPlainText(rtf, document))
            return { Outcome::Cut, overlongWordNotice() };
        return { Outcome::NotRtf, QStringLiteral("Файл не является документом RTF: показан его текст.") };
    }
    return Reader(rtf, document).run();
}

ReadResult readFile(const QString& fileName, QTextDocument& document)
{
    const DataFile::Contents contents = DataFile::read(fileName, MaxFileBytes);
    if (!contents.readable())
        return { Outcome::CannotOpen, contents.problem };
    ReadResult result;
    if (contents.bytes.trimmed().isEmpty()) {
        document.clear();
        result = { Outcome::Damaged,
            QStringLiteral("Файл %1 пуст.")
                .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())) };
    } else {
        result = read(contents.bytes, document);
        if (contents.status == DataFile::Status::Cut)
            result = { Outcome::Cut, contents.problem };
    }
    if (result.outcome != Outcome::Complete)
        appendNotice(document, result.problem);
    return result;
}

} // namespace Rtf
