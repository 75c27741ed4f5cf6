#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

// BMP files compressed in runs of one colour (RLE8 and RLE4), read here
// rather than by Qt, whose reader takes such a file a byte a call: a
// 33 MB picture cost it two seconds.

// How many of a BMP file's first bytes IsRleBmp looks at.
inline constexpr int BmpHeadBytes = 34;

// Whether the BMP file beginning with `head` is compressed in runs.
bool IsRleBmp(QByteArrayView head);

// The size a run-length BMP file's header gives; an empty size when the
// header is damaged.
QSize RleBmpSize(QByteArrayView file);

// The picture of a run-length BMP file, in RGB32, at the size RleBmpSize
// gives; a null image when the file is damaged or ends before its last line.
// Pixels the runs skip show the first colour of the palette.
QImage ReadRleBmp(QByteArrayView file);
