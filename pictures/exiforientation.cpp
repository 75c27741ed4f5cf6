#include "exiforientation.h"

#include <QTransform>
#include <QtEndian>

int ExifOrientation(QByteArrayView tiff)
{
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM"))
        return 0;
    // Out of bounds reads as 0, which no field here may be.
    const auto number = [&](qint64 at, int bytes) -> quint32 {
        if (at < 0 || at + bytes > tiff.size())
            return 0;
        const char* p = tiff.data() + at;
        if (bytes == 2)
            return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
        return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    };
    if (number(2, 2) != 42)
        return 0;
    const qint64 folder = number(4, 4);
    const quint32 tags = number(folder, 2);
    for (quint32 i = 0; i < tags; ++i) {
        const qint64 tag = folder + 2 + 12 * qint64{i};
        constexpr quint32 OrientationTag = 0x0112, ShortType = 3;
        if (tag + 12 > tiff.size())
            return 0;
        if (number(tag, 2) == OrientationTag && number(tag + 2, 2) == ShortType && number(tag + 4, 4) == 1) {
            const quint32 value = number(tag + 8, 2);
            return value >= 1 && value <= 8 ? int(value) : 0;
        }
    }
    return 0;
}

QImage Upright(QImage image, int orientation)
{
    // Those lying on their side are stood up first, turned a quarter clockwise.
    if (orientation >= 5)
        image = image.transformed(QTransform().rotate(90));
    switch (orientation) {
    case 2:
    case 5:
        image.mirror(true, false);
        break;
    case 3:
    case 8:
        image.mirror(true, true);
        break;
    case 4:
    case 7:
        image.mirror(false, true);
        break;
    }
    return image;
}
