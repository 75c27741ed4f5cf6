#pragma once

#include "pictureloader.h"
#include "scratch.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

// ASan fills fresh memory with 0xBE, but by default only its first 4 KiB.
// Filled whole, a pixel no decoder wrote keeps an alpha of 0xBE, which the
// opaque check below catches.
extern "C" const char* __asan_default_options()
{
    return "max_malloc_fill_size=268435456";
}

// Whether every pixel of a line has an alpha of 255. Kept out of the
// coverage, and so never inlined into code that has it: tracing every
// compare would make checking a large picture slower than decoding it.
__attribute__((noinline, no_sanitize("coverage"))) inline bool Opaque(const QRgb* line, int width)
{
    QRgb all = ~QRgb{0};
    for (int x = 0; x < width; ++x)
        all &= line[x];
    return qAlpha(all) == 255;
}

// Any bytes as a picture file of the given name: either an opaque RGB32
// image within the loader's limits, or a PictureError that names the file.
// Returns the image, null after an error.
inline QImage FuzzPicture(const char* fileName, const uint8_t* data, size_t size)
{
    constexpr qint64 MaxSide = 16384;
    constexpr qint64 MaxBytes = qint64{256} << 20;
    const QString path = ScratchPath(QString::fromLatin1(fileName));
    PutFile(path, data, size);
    QImage image;
    try {
        image = LoadPicture(path);
    } catch (const PictureError& error) {
        if (!std::strstr(error.what(), path.toUtf8().constData()))
            Fail("the message does not name the file:", QString::fromUtf8(error.what()));
        return {};
    }
    if (image.isNull())
        Fail("neither a picture nor an error");
    if (image.format() != QImage::Format_RGB32)
        Fail("not RGB32:", QString::number(image.format()));
    if (image.width() > MaxSide || image.height() > MaxSide || qint64(image.width()) * image.height() * 4 > MaxBytes)
        Fail("beyond the limits:", QString("%1 x %2").arg(image.width()).arg(image.height()));
    // RGB32 promises an opaque fourth byte; painting relies on it.
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!Opaque(line, image.width()))
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(line[x]) != 255)
                    Fail("a pixel is not opaque at", QString("%1,%2: %3").arg(x).arg(y).arg(line[x], 8, 16, QChar('0')));
    }
    return image;
}
