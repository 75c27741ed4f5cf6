#pragma once

// Writes GIF files, which Qt cannot: one frame over the whole screen.
#include <QByteArray>
#include <QRgb>
#include <QtEndian>

#include <functional>
#include <vector>

// A GIF of `palette` (2 to 256 colours) whose pixel at x, y is the colour
// `index(x, y)`. Every pixel is a code of its own, and the code table is
// cleared before it would need wider codes, which keeps the coder short.
inline QByteArray Gif(int width, int height, const std::vector<QRgb>& palette, const std::function<int(int, int)>& index)
{
    QByteArray gif("GIF89a");
    const auto word = [&](int value) { gif.append(char(value & 0xFF)).append(char(value >> 8)); };
    word(width);
    word(height);
    gif.append(char(0xF7)).append('\0').append('\0');  // a table of 256 colours
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < int(palette.size()) ? palette[i] : 0;
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    }
    gif.append(',');
    word(0);
    word(0);
    word(width);
    word(height);
    gif.append('\0').append(char(8));  // no table of its own; 8-bit codes, sent 9 bits wide
    constexpr int ClearCode = 256, EndCode = 257, CodesPerClear = 250;
    QByteArray data;
    quint32 bits = 0;
    int held = 0;
    const auto put = [&](int code) {
        bits |= quint32(code) << held;
        for (held += 9; held >= 8; held -= 8, bits >>= 8)
            data.append(char(bits & 0xFF));
    };
    for (int i = 0; i < width * height; ++i) {
        if (i % CodesPerClear == 0)
            put(ClearCode);
        put(index(i % width, i / width));
    }
    put(EndCode);
    if (held > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    return gif.append('\0').append(';');
}
