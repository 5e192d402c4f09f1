#include "calendar/TextCodec.h"

#include <QStringDecoder>

#include <array>
#include <optional>

namespace custodex {

namespace {

const QByteArray Utf8Mark("\xEF\xBB\xBF");

// 0x80..0x9F of Windows-1252; 0 marks the five unassigned bytes (read as the C1 control).
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = Cp1252High[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

std::optional<char> UnicodeToCp1252(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<char>(ch);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        const char16_t mapped = Cp1252High[i];
        // The unassigned bytes come back as the C1 controls they were read as.
        if (mapped == ch || (mapped == 0 && ch == 0x80 + i))
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString DecodeText(const QByteArray& bytes, bool* ok)
{
    if (ok)
        *ok = true;
    if (bytes.startsWith(Utf8Mark)) {
        // The mark is ours; a second one belongs to the text.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf8.decode(bytes.mid(Utf8Mark.size()));
        if (ok)
            *ok = !utf8.hasError();
        return text;
    }
    // Windows-1252 is Latin-1 but for 0x80..0x9F: convert the bytes in bulk, then mend those.
    QString text = QString::fromLatin1(bytes.constData(), bytes.size());
    for (QChar& ch : text)
        if (ch.unicode() >= 0x80 && ch.unicode() <= 0x9F)
            ch = QChar(Cp1252ToUnicode(static_cast<unsigned char>(ch.unicode())));
    return text;
}

QByteArray EncodeText(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool fits = true;
    for (QChar ch : text) {
        const std::optional<char> byte = UnicodeToCp1252(ch.unicode());
        if (!byte) {
            fits = false;
            break;
        }
        bytes.append(*byte);
    }
    // Windows-1252 text that starts like the mark would read back as UTF-8.
    if (fits && !bytes.startsWith(Utf8Mark))
        return bytes;
    return Utf8Mark + text.toUtf8();
}

QStringList SplitTextLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return lines;
}

} // namespace custodex
