#include "platform/files/CodePage.h"

#include <iconv.h>

#include <QList>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

class Converter {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as possible; an input unit iconv rejects is replaced by
    // `replacement` (already in the target encoding) and skipped.
    QByteArray convert(const QByteArray& input, int inputUnit, const QByteArray& replacement) const
    {
        QByteArray output;
        if (!valid() || input.isEmpty())
            return output;
        std::vector<char> buffer(4096);
        char* in = const_cast<char*>(input.constData());
        size_t inLeft = size_t(input.size());
        while (inLeft > 0) {
            char* out = buffer.data();
            size_t outLeft = buffer.size();
            const size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            output.append(buffer.data(), qsizetype(buffer.size() - outLeft));
            if (rc != size_t(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or incomplete unit.
            output.append(replacement);
            const size_t skip = std::min(inLeft, size_t(inputUnit));
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t m_cd;
};

} // namespace

namespace CodePage {

QString toUnicode(const QByteArray& cp1251)
{
    static const QByteArray replacement = QString(QChar::ReplacementCharacter).toUtf8();
    const Converter converter("UTF-8", "CP1251");
    return QString::fromUtf8(converter.convert(cp1251, 1, replacement));
}

QByteArray fromUnicode(const QString& text)
{
    const Converter converter("CP1251", "UTF-32LE");
    QByteArray utf32;
    const QList<uint> codePoints = text.toUcs4();
    utf32.reserve(codePoints.size() * 4);
    for (uint cp : codePoints) {
        for (int shift = 0; shift < 32; shift += 8)
            utf32.append(char((cp >> shift) & 0xFF));
    }
    return converter.convert(utf32, 4, QByteArray("?"));
}

} // namespace CodePage
