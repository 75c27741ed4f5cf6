#include "windows1252.h"

#include <algorithm>

namespace Windows1252 {

namespace {

// 0x80..0x9F, where Windows-1252 parts from Latin-1.
constexpr char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// -1 for a character the set cannot hold.
int EncodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

// The code of each byte's other letter case, as Windows pairs them in this
// set: A-Z, the accented capitals from 0xC0 but the multiplication sign,
// and Š, Œ, Ž and Ÿ among the additions at 0x80.
unsigned char LowerCase(unsigned char code)
{
    if ((code >= 'A' && code <= 'Z') || (code >= 0xC0 && code <= 0xDE && code != 0xD7))
        return code + 0x20;
    switch (code) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return code;
    }
}

} // namespace

QString Decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto code = static_cast<unsigned char>(b);
        *out++ = QChar(code >= 0x80 && code < 0xA0 ? High[code - 0x80] : char16_t(code));
    }
    return text;
}

std::optional<QByteArray> Encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const int code = EncodeOne(c.unicode());
        if (code < 0)
            return std::nullopt;
        *out++ = char(code);
    }
    return bytes;
}

QString FirstUnstorable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (EncodeOne(text[i].unicode()) >= 0)
            continue;
        // A character beyond the 16-bit range is shown whole, not half.
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        return text.sliced(i, pair ? 2 : 1).toString();
    }
    return {};
}

bool SameText(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerCase(static_cast<unsigned char>(x)) == LowerCase(static_cast<unsigned char>(y));
           });
}

QByteArray Folded(QByteArrayView bytes)
{
    QByteArray folded(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), folded.begin(),
                   [](char c) { return char(LowerCase(static_cast<unsigned char>(c))); });
    return folded;
}

} // namespace Windows1252
