#pragma once

#include "picturelimits.h"
#include "picturepath.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Reads a picture into an RGB32 image, upright as a photograph's EXIF
// orientation says. Taken are the files named with an extension of
// PictureNameFilters (in any letter case), read as what their content is:
// BMP, JPEG, PNG, GIF (its first frame), WebP and TIFF, the last two where
// Qt's plugins for them are installed, and HEIC, HEIF and AVIF where libheif
// has their decoders. A picture larger than `room` comes scaled down to fit
// in it, decoded at the smallest eighth of its size that still covers that
// where the reader can (libjpeg can); an empty room asks for the full size.
// Its colours are sRGB, turned so from its colour profile. A preview of a HEIF takes its embedded thumbnail when that is
// large enough. Throws PictureError when the file has another extension, is no
// regular file, cannot be read or decoded, or is too large.
QImage LoadPicture(const QString& path, QSize room = {});

// The same picture for a preview that is stretched, keeping its proportions,
// over the width of `box`, or over its height when the picture is taller
// than wide: at the smallest of the eighths of its full size that is at
// least as large there, or at full size when none is. Returns and throws as
// LoadPicture does.
QImage LoadPreview(const QString& path, QSize box);

// The name patterns ("*.bmp", "*.jpg", ...) of every kind LoadPicture takes.
QStringList PictureNameFilters();

// The size of the picture at `path` as it is shown, upright, read from its
// header alone. Throws PictureError as LoadPicture does.
QSize PictureSize(const QString& path);

// The black picture that stands in for a missing one.
QImage MissingPicture();

// The background picture of a stored game, where FindStoredPicture found
// it; the missing picture when it found none. Throws PictureError for a
// file that cannot be shown.
QImage LoadBackgroundPicture(const StoredPicture& stored, QSize room);
