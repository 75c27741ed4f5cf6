#pragma once

#include "colourprofile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>
#include <QString>

#include <functional>

// HEIC, HEIF and AVIF pictures through libheif: the iPhone's photos and
// what newer phones and the web give.

// Whether a file beginning with `head` is a HEIF or AVIF picture, as the
// brand of its leading `ftyp` box says; the first 12 bytes tell.
bool IsHeif(QByteArrayView head);

// Whether this installation's libheif can decode HEVC (HEIC) or AV1 (AVIF).
bool CanDecodeHeic();
bool CanDecodeAvif();

// The size of the file's primary picture as it is shown, upright.
// Throws PictureError when it cannot be read or is too large.
QSize HeifSize(const QByteArray& file, const QString& path);

// The file's primary picture, upright as its own transformations say, at
// full size; or its embedded thumbnail instead when `enough` takes the
// thumbnail's size. Opaque, in RGBX8888 as libheif decodes it, so that it
// can be scaled before it is converted, with the profile of its colours:
// the ICC profile the file carries, or one made from its coded primaries
// and curve. Throws PictureError when it cannot be read or is too large.
DecodedPicture ReadHeif(const QByteArray& file, const QString& path, const std::function<bool(QSize)>& enough = {});
