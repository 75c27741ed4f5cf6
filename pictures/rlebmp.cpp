#include "rlebmp.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr int FileHeaderBytes = 14;
constexpr quint32 Rle8 = 1, Rle4 = 2;

struct RleHeader {
    int width = 0;
    int height = 0;
    int bits = 0;  // a pixel: 8 or 4
    std::array<QRgb, 256> palette{};
    qsizetype pixelsAt = 0;
};

// The header of a run-length BMP; nothing when it is damaged. Lines of such
// pictures are always stored bottom up, so the height is positive.
std::optional<RleHeader> Header(QByteArrayView file)
{
    const auto* bytes = reinterpret_cast<const uchar*>(file.data());
    const auto number = [&](qsizetype at) { return qFromLittleEndian<quint32>(bytes + at); };
    if (!IsRleBmp(file) || file.size() < FileHeaderBytes + 40)
        return {};
    RleHeader header;
    const qint64 width = qint32(number(18)), height = qint32(number(22));
    header.bits = qFromLittleEndian<quint16>(bytes + 28);
    if (width <= 0 || height <= 0 || width > 1 << 30 || height > 1 << 30 ||
        header.bits != (number(30) == Rle8 ? 8 : 4))
        return {};
    header.width = int(width);
    header.height = int(height);
    const qsizetype paletteAt = FileHeaderBytes + qsizetype{number(14)};
    const quint32 named = number(46);
    const qsizetype colours = named == 0 || named > 1u << header.bits ? 1 << header.bits : qsizetype{named};
    header.pixelsAt = number(10);
    if (paletteAt + 4 * colours > file.size() || header.pixelsAt < paletteAt || header.pixelsAt > file.size())
        return {};
    // Indices beyond the palette show black, as they do in Qt's reader.
    header.palette.fill(qRgb(0, 0, 0));
    for (qsizetype i = 0; i < colours; ++i) {
        const uchar* entry = bytes + paletteAt + 4 * i;  // blue, green, red, nothing
        header.palette[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    return header;
}

}  // namespace

bool IsRleBmp(QByteArrayView head)
{
    if (head.size() < BmpHeadBytes || !head.startsWith("BM"))
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(head.data());
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    // The old 12-byte header has no compression.
    return qFromLittleEndian<quint32>(bytes + FileHeaderBytes) >= 40 && (compression == Rle8 || compression == Rle4);
}

QSize RleBmpSize(QByteArrayView file)
{
    const std::optional<RleHeader> header = Header(file);
    return header ? QSize(header->width, header->height) : QSize();
}

QImage ReadRleBmp(QByteArrayView file)
{
    const std::optional<RleHeader> header = Header(file);
    if (!header)
        return {};
    const int width = header->width;
    QImage image(width, header->height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(header->palette[0]);
    const auto* at = reinterpret_cast<const uchar*>(file.data()) + header->pixelsAt;
    const uchar* const end = reinterpret_cast<const uchar*>(file.data()) + file.size();
    // Runs are clipped at the line's end, where a damaged file may let them
    // go on.
    int x = 0, y = 0;  // y counted from the bottom line
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(image.height() - 1));
    // The colour of the `i`th pixel of a run or stretch.
    const auto colour = [&](uchar value, int i) {
        return header->palette[header->bits == 8 ? value : i % 2 == 0 ? value >> 4 : value & 0x0F];
    };
    while (y < header->height) {
        if (end - at < 2)
            return {};  // cut off
        const int count = at[0], value = at[1];
        at += 2;
        if (count > 0) {  // a run of one colour, or of two taking turns
            const int shown = std::min(count, width - x);
            if (header->bits == 8)
                std::fill_n(line + x, shown, header->palette[value]);
            else
                for (int i = 0; i < shown; ++i)
                    line[x + i] = colour(uchar(value), i);
            x += shown;
            continue;
        }
        switch (value) {
        case 0:  // the end of a line
            x = 0;
            ++y;
            break;
        case 1:  // the end of the picture
            return image;
        case 2:  // a jump right and up
            if (end - at < 2)
                return {};
            x = std::min(x + at[0], width);
            y += at[1];
            at += 2;
            break;
        default: {  // a stretch of pixels as they are, padded to whole words
            const qsizetype bytes = header->bits == 8 ? value : (value + 1) / 2;
            if (end - at < bytes)
                return {};
            const int shown = std::min(value, width - x);
            for (int i = 0; i < shown; ++i)
                line[x + i] = colour(at[header->bits == 8 ? i : i / 2], i);
            x += shown;
            at += std::min(bytes + bytes % 2, qsizetype(end - at));
            break;
        }
        }
        if (y < header->height)
            line = reinterpret_cast<QRgb*>(image.scanLine(image.height() - 1 - y));
    }
    return image;
}
