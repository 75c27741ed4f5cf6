// Any bytes as a .bmp file through the picture loader.
#include "picturefuzz.h"

#include <QtEndian>

#include <cstdlib>

namespace {

// The fewest bytes an uncompressed BMP needs to hold all its pixels: its
// headers and its lines, each padded to 4 bytes. Counted without the colour
// table and whatever else may lie before the pixels, so that it never asks
// for more than the file really needs; 0 for compressed layouts and for
// headers of other sizes, which Qt takes for the old 12-byte one.
qint64 LeastBytesOfAllPixels(const uint8_t* data, size_t size)
{
    if (size < 30 || data[0] != 'B' || data[1] != 'M')
        return 0;
    const quint32 header = qFromLittleEndian<quint32>(data + 14);
    qint64 width = 0, height = 0, bits = 0;
    if (header == 12) {
        width = qFromLittleEndian<qint16>(data + 18);
        height = std::abs(qFromLittleEndian<qint16>(data + 20));
        bits = qFromLittleEndian<quint16>(data + 24);
    } else if ((header == 40 || header == 108 || header == 124) && size >= 34) {
        const quint32 compression = qFromLittleEndian<quint32>(data + 30);
        if (compression != 0 && compression != 3)
            return 0;
        width = qFromLittleEndian<qint32>(data + 18);
        height = std::abs(qint64(qFromLittleEndian<qint32>(data + 22)));
        bits = qFromLittleEndian<quint16>(data + 28);
    } else {
        return 0;
    }
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return 0;
    return 14 + header + height * ((width * bits + 31) / 32 * 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QImage image = FuzzPicture("fuzz.bmp", data, size);
    // Lines the file does not hold would show whatever the memory held.
    if (!image.isNull() && qint64(size) < LeastBytesOfAllPixels(data, size))
        Fail("a picture from a file too short for its pixels:",
             QString("%1 bytes, %2 needed").arg(size).arg(LeastBytesOfAllPixels(data, size)));
    return 0;
}
