#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <optional>

// What the program checks of a picture file before one of Qt's readers
// sees it, where those readers have proved to trust a file too far: BMP
// headers that describe pixels the file does not hold, GIFs cut short, and
// PNG text that inflates without bound.

// Where the lines of a BMP file that is not compressed in runs end, told by
// its first BmpHeadBytes bytes; nothing where its headers are unsound. Qt's
// reader takes any header for a sound one and leaves lines the file lacks
// as whatever the memory held, so a file must reach that far.
std::optional<qint64> BmpPixelsEnd(QByteArrayView head);

// Whether the first frame of the GIF in `gif` lies within its screen and
// is whole in the file, with everything before it of a sensible size. Qt's
// reader shows a frame cut short with its missing lines black. Reads from
// the current position, and goes back there.
bool GifFirstFrameWhole(QIODevice& gif);

// Of a PNG's chunks, what a picture is made of: its pixels and how they are
// coloured, with EXIF and colour profile held to sizes that real ones have.
// Text, which Qt's reader would inflate and keep without bound, goes; a
// thumbnail's few short keys (Thumb::URI, Thumb::MTime, ...) stay where
// asked for, as a thumbnail tells by them what it belongs to. Nothing when
// the file is no sound PNG, ends before its last chunk, or holds more image
// data than its pixels need.
enum class PngText { Drop, KeepThumbnailStamps };
std::optional<QByteArray> PngEssentials(QIODevice& png, PngText text);

// The EXIF TIFF structure of the eXIf chunk in what PngEssentials kept of a
// PNG; empty where it has none.
QByteArrayView PngExif(QByteArrayView essentials);

// Of a WebP's chunks, the picture's own: its frames and their transparency,
// and a colour profile of a real size. EXIF, XMP and whatever else it
// carries go, as Qt's reader would hold the whole file. Nothing when the
// file is no sound WebP or ends inside a chunk.
std::optional<QByteArray> WebpEssentials(QIODevice& webp);
