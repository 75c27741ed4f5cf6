#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The desktop's shared cache of large thumbnails (the freedesktop.org
// Thumbnail Managing Standard), so that a picture the file manager has shown
// previews at once here, and one previewed here shows at once there.
//
// A thumbnail is a PNG of at most 256 x 256 pixels in thumbnails/large,
// named by the MD5 of the picture's file URI, and valid while the URI and
// the picture's modification time recorded in it match the file. The cache
// is only a shortcut: whatever is wrong with it, the picture is decoded. It
// is read and written only while thumbnails and thumbnails/large are real
// folders of the player's, and nothing in it is followed or written through.
class ThumbnailCache {
public:
    // The cache in $XDG_CACHE_HOME, or in ~/.cache when that is not set.
    static ThumbnailCache Desktop();

    explicit ThumbnailCache(QString cacheHome);

    // The picture at `path` for a preview stretched over `box`, as
    // LoadPreview gives it: from a valid thumbnail when that is large enough
    // for the box, otherwise decoded, and then kept as the thumbnail when
    // there was none or a stale one. Throws PictureError as LoadPreview does.
    QImage Preview(const QString& path, QSize box) const;

    // Where the thumbnail of the picture at `path` is kept.
    QString ThumbnailPath(const QString& path) const;

    // The largest side of a large thumbnail.
    static constexpr int LargeSide = 256;

private:
    QString cacheHome_;
};
