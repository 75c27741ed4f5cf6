#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <stdexcept>

// Thrown when a picture cannot be used; what() is a German sentence for an
// error box, naming the file (UTF-8).
class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A background is shown 1:1, so nothing larger than the biggest screens is
// of any use. The bounds are checked against the file's header before any
// pixel memory is taken, so a damaged or hostile header cannot make the game
// ask for gigabytes; they also keep every byte count well inside an int.
inline constexpr int MaxPictureSide = 16384;
inline constexpr qint64 MaxPictureBytes = qint64{256} << 20;  // decoded, at 4 bytes a pixel

// A picture's file is a fraction of its decoded size or about as large, so
// one larger than the largest picture allowed holds something else.
inline constexpr qint64 MaxPictureFileBytes = MaxPictureBytes;

// The error of a picture that cannot be read, or is not there at all.
PictureError UnreadablePicture(const QString& path);
// The error of a file of a kind the game cannot read, naming the `kinds`
// it can ("BMP", "JPEG", ...).
PictureError UnknownKindOfPicture(const QString& path, const QStringList& kinds);
PictureError PictureTooLarge(const QString& path);
PictureError PictureFileTooLarge(const QString& path);

// Throws PictureTooLarge when a picture of that size would pass the limits.
void CheckPictureSize(const QString& path, qint64 width, qint64 height);
