#include "storage/Cp1252.h"

#include <array>

namespace {
// Bytes 0x80..0x9F; every other byte is the Latin-1 character of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

constexpr char16_t decodeByte(unsigned char b)
{
    return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : char16_t(b);
}

// The byte for a UTF-16 unit, or -1 when the code page has none.
int encodeUnit(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == u)
            return int(0x80 + i);
    }
    return -1;
}
} // namespace

namespace Cp1252 {

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes)
        *out++ = QChar(decodeByte(static_cast<unsigned char>(c)));
    return text;
}

Encoded encode(QStringView text)
{
    Encoded result;
    result.bytes.resize(text.size());
    const char *end = encodeInto(text, result.bytes.data(), result.unrepresentable);
    result.bytes.truncate(end - result.bytes.constData());
    return result;
}

char *encodeInto(QStringView text, char *out, QStringList &unrepresentable)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        const int byte = encodeUnit(u);
        if (byte >= 0) {
            *out++ = char(byte);
            continue;
        }
        // A character beyond the basic plane is one character in two units.
        const bool pair = QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString character = text.sliced(i, pair ? 2 : 1).toString();
        if (!unrepresentable.contains(character))
            unrepresentable.append(character);
        *out++ = '?';
        if (pair)
            ++i;
    }
    return out;
}

} // namespace Cp1252
