#pragma once

#include "colourprofile.h"

#include <QIODevice>
#include <QSize>
#include <QString>

#include <functional>

// Decodes the JPEG `file`, read from its current place a block at a time,
// into an RGB32 image, upright as its EXIF orientation says, at the eighths
// of its size (1 to 8) that `eighthsFor(stored size, lies on its side)`
// picks, with its colour profile; a CMYK one comes already turned into
// sRGB, since only RGB can be scaled. Throws PictureError, naming `path`, when it is damaged, cut off, or
// beyond the picture limits.
DecodedPicture ReadJpeg(QIODevice& file, const QString& path, const std::function<int(QSize, bool)>& eighthsFor);

