#pragma once

#include <QByteArrayView>
#include <QImage>

// The orientation (1 to 8) that the first folder of tags of an EXIF TIFF
// structure names, as a JPEG's APP1 marker (after its "Exif" header) and a
// PNG's eXIf chunk hold it; 0 when it names none or cannot be read.
int ExifOrientation(QByteArrayView tiff);

// The picture upright, as its EXIF orientation says it was taken.
QImage Upright(QImage image, int orientation);
