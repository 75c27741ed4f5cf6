#pragma once

#include <QByteArray>
#include <QImage>

// Every picture is shown in sRGB, the colours a screen, the desktop's
// thumbnails and the rest of the game take for granted. These turn a
// picture already at the size it is shown into sRGB, through LittleCMS, from
// the colours the ICC profile it carries describes.

// Real profiles take some kilobytes, a press profile's tables some hundred;
// a larger one is left out rather than read.
constexpr qint64 MaxProfileBytes = qint64{1} << 20;

// A picture as a reader decoded it, upright, and the ICC profile of its
// colours, which stays to be applied once it is scaled to the size it is
// shown at; empty for sRGB.
struct DecodedPicture {
    QImage image;
    QByteArray icc;
};

// Turns the RGB32 `image` in place from the colours of the RGB profile
// `icc` into sRGB. Leaves it as it is where `icc` is empty, or no RGB
// profile LittleCMS can use.
void RgbToSrgb(QImage& image, const QByteArray& icc);

// Turns `image`, whose pixels hold the four bytes of CMYK that libjpeg
// gives (the inks inverted, 0 = full ink, where `inverted`), in place into
// opaque sRGB through the CMYK profile `icc`, or where that is empty or
// unusable, through a standard press profile. Returns false, with the
// pixels left as they are, when neither can be used.
bool CmykToSrgb(QImage& image, const QByteArray& icc, bool inverted);
