#pragma once

// Writes the BMP files the tests and benchmarks read where Qt's writer
// cannot: Qt writes no compressed BMPs.
#include <QByteArray>
#include <QtEndian>

// A greyscale RLE8 picture at its largest: every pixel a run of its own, two
// bytes a pixel.
inline QByteArray Rle8Bmp(int width, int height)
{
    QByteArray pixels;
    pixels.reserve(qsizetype(width) * height * 2 + height * 2 + 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.append(char(1)).append(char((x + y) & 0xFF));
        pixels.append(2, '\0');  // the end of a line
    }
    pixels.append('\0').append(char(1));  // the end of the picture
    constexpr int kHeaders = 14 + 40, kPalette = 256 * 4;
    QByteArray bmp(kHeaders + kPalette, '\0');
    char* at = bmp.data();
    at[0] = 'B';
    at[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size() + pixels.size()), at + 2);
    qToLittleEndian<quint32>(kHeaders + kPalette, at + 10);
    qToLittleEndian<quint32>(40, at + 14);
    qToLittleEndian<qint32>(width, at + 18);
    qToLittleEndian<qint32>(height, at + 22);
    qToLittleEndian<quint16>(1, at + 26);  // planes
    qToLittleEndian<quint16>(8, at + 28);  // bits a pixel
    qToLittleEndian<quint32>(1, at + 30);  // RLE8
    qToLittleEndian<quint32>(quint32(pixels.size()), at + 34);
    for (int i = 0; i < 256; ++i)
        at[kHeaders + 4 * i] = at[kHeaders + 4 * i + 1] = at[kHeaders + 4 * i + 2] = char(i);
    return bmp + pixels;
}
