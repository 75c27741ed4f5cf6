#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <stdexcept>

// Thrown when a picture cannot be used; what() is a German sentence for an
// error box, naming the file (UTF-8).
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a BMP (".bmp") or JPEG (".jpg", ".jpeg") file, the extension matched
// without regard to letter case, into an RGB32 image. Throws PictureError
// when the file has another extension, cannot be opened, read or decoded,
// or is too large.
QImage LoadPicture(const QString& path);

// The same picture for a preview that is stretched, keeping its proportions,
// over the width of `box`, or over its height when the picture is taller
// than wide: at the smallest of the eighths of its full size (as libjpeg
// decodes JPEGs directly) that is at least as large there, or at full size
// when none is. Returns and throws as LoadPicture does.
QImage LoadPreview(const QString& path, QSize box);

// The file-name part of a stored picture path. Paths may come from Windows
// ("C:\Bilder\zoo.jpg") as well as from this system, so a backslash and a
// drive's colon separate as a slash does.
QString BareFileName(const QString& path);

// The file dialog's filters for the kinds of picture the loader takes, all
// of them in the first.
QStringList PictureNameFilters();

// The size of the picture at `path` as it is shown, upright, read from its
// header alone. Throws PictureError as LoadPicture does.
QSize PictureSize(const QString& path);
