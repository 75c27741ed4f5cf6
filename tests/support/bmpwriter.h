#pragma once

// Writes the BMP files the tests and benchmarks read where Qt's writer
// cannot: Qt writes no compressed BMPs.
#include <QByteArray>
#include <QtGlobal>
#include <QtEndian>

#include <vector>

// A BMP compressed in runs: RLE8 with 8 `bits` a pixel, RLE4 with 4, its
// colours in 0xRRGGBB, its lines given by the codes `runs`.
inline QByteArray RleBmp(int bits, int width, int height, const std::vector<quint32>& palette, const QByteArray& runs)
{
    const int headerBytes = 14 + 40 + 4 * int(palette.size());
    QByteArray bmp(headerBytes, '\0');
    char* at = bmp.data();
    at[0] = 'B';
    at[1] = 'M';
    qToLittleEndian<quint32>(quint32(headerBytes + runs.size()), at + 2);
    qToLittleEndian<quint32>(headerBytes, at + 10);
    qToLittleEndian<quint32>(40, at + 14);
    qToLittleEndian<qint32>(width, at + 18);
    qToLittleEndian<qint32>(height, at + 22);
    qToLittleEndian<quint16>(1, at + 26);  // planes
    qToLittleEndian<quint16>(quint16(bits), at + 28);
    qToLittleEndian<quint32>(bits == 8 ? 1 : 2, at + 30);
    qToLittleEndian<quint32>(quint32(runs.size()), at + 34);
    qToLittleEndian<quint32>(quint32(palette.size()), at + 46);
    for (std::size_t i = 0; i < palette.size(); ++i)
        qToLittleEndian<quint32>(palette[i] & 0xFFFFFF, at + 54 + 4 * i);  // blue, green, red, nothing
    return bmp + runs;
}

// A greyscale RLE8 picture at its largest: every pixel a run of its own, two
// bytes a pixel.
inline QByteArray Rle8Bmp(int width, int height)
{
    QByteArray runs;
    runs.reserve(qsizetype(width) * height * 2 + height * 2 + 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            runs.append(char(1)).append(char((x + y) & 0xFF));
        runs.append(2, '\0');  // the end of a line
    }
    runs.append('\0').append(char(1));  // the end of the picture
    std::vector<quint32> grey(256);
    for (int i = 0; i < 256; ++i)
        grey[i] = quint32(i) * 0x010101;
    return RleBmp(8, width, height, grey, runs);
}
