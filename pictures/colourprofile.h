#pragma once

#include <QByteArrayView>
#include <QImage>

// Every picture is shown in sRGB, the colours a screen, the desktop's
// thumbnails and the rest of the game take for granted. These turn a
// picture already at the size it is shown into sRGB, through LittleCMS, from
// the colours the ICC profile it carries describes.

// Turns the RGB32 `image` in place from the colours of the RGB profile
// `icc` into sRGB. Leaves it as it is where `icc` is empty, or no RGB
// profile LittleCMS can use.
void RgbToSrgb(QImage& image, QByteArrayView icc);

// Turns `image`, whose pixels hold the four bytes of CMYK that libjpeg
// gives (the inks inverted, 0 = full ink, where `inverted`), in place into
// opaque sRGB through the CMYK profile `icc`, or where that is empty or
// unusable, through a standard press profile. Returns false, with the
// pixels left as they are, when neither can be used.
bool CmykToSrgb(QImage& image, QByteArrayView icc, bool inverted);
