#pragma once

// Adds chunks to PNG files, as the tests and benchmarks meet PNGs that
// carry more than their pixels.
#include <QByteArray>
#include <QtEndian>

#include <array>

// The CRC-32 a PNG chunk ends with, over its type and data.
inline quint32 PngCrc(const QByteArray& bytes)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char byte : bytes)
        crc = table[(crc ^ uchar(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// `png` with `count` compressed text chunks (zTXt) after its header, each
// inflating to `inflated` bytes of text.
inline QByteArray WithTextChunks(const QByteArray& png, int count, int inflated)
{
    // qCompress puts the length before a zlib stream.
    const QByteArray body = "zTXtComment" + QByteArray(2, '\0') + qCompress(QByteArray(inflated, 'a'), 9).mid(4);
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(body.size() - 4), chunk.data());
    chunk += body;
    chunk.resize(chunk.size() + 4);
    qToBigEndian(PngCrc(body), chunk.data() + chunk.size() - 4);
    constexpr qsizetype AfterHeader = 8 + 8 + 13 + 4;  // signature, then the header chunk
    return png.left(AfterHeader) + chunk.repeated(count) + png.mid(AfterHeader);
}
