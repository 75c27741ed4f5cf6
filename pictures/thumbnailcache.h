#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The desktop's shared cache of large thumbnails (the freedesktop.org
// Thumbnail Managing Standard), so that a picture the file manager has shown
// previews at once here, and one previewed here shows at once there.
//
// A thumbnail is a PNG of at most 128 x 128 pixels in thumbnails/normal or
// 256 x 256 in thumbnails/large, named by the MD5 of the picture's file URI, and valid while the URI and
// the picture's modification time recorded in it match the file. The cache
// is only a shortcut: whatever is wrong with it, the picture is decoded. It
// is read and written only while thumbnails and thumbnails/large are real
// folders of the player's, and nothing in it is followed or written through.
class ThumbnailCache {
public:
    // The standard's two sizes, by their folder and their longest side.
    enum class Size { Normal, Large };
    static int Side(Size size) { return size == Size::Normal ? 128 : LargeSide; }

    // What a grid of thumbnails shows of one picture: the thumbnail and the
    // picture's own size, upright.
    struct Entry {
        QImage thumbnail;
        QSize pictureSize;
    };

    // The cache in $XDG_CACHE_HOME, or in ~/.cache when that is not set.
    static ThumbnailCache Desktop();

    explicit ThumbnailCache(QString cacheHome);

    // The picture at `path` for a preview stretched over `box`, as
    // LoadPreview gives it: from a valid thumbnail when that is large enough
    // for the box, otherwise decoded, and then kept as the thumbnail when
    // there was none or a stale one. Throws PictureError as LoadPreview does.
    QImage Preview(const QString& path, QSize box) const;

    // The thumbnail of the picture at `path` in the folder of `size`: the
    // kept one while it belongs to the picture, otherwise made from the
    // picture and kept. Throws PictureError as LoadPreview does, also where
    // only the kept thumbnail could be read.
    Entry Thumbnail(const QString& path, Size size) const;

    // Where the thumbnail of the picture at `path` is kept.
    QString ThumbnailPath(const QString& path, Size size = Size::Large) const;

    // The largest side of a large thumbnail.
    static constexpr int LargeSide = 256;

private:
    QString cacheHome_;
};
