#include "thumbnailcache.h"

#include "picturepath.h"
#include "pictureloader.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QUrl>

#include <utility>

namespace {

// A large thumbnail takes a quarter of a megabyte decoded and less as a
// file. Other programs write into the cache as well, so a file there may be
// anything; one far beyond that size is not read at all.
constexpr qint64 kMaxThumbnailBytes = qint64{1} << 20;

// Qt's PNG writer spreads 0 to 100 over zlib's levels; this is level 1.
// Written at the first preview, a thumbnail packed at the default level
// would cost a fifth of the preview's time, for a file a fifth smaller.
constexpr int kQuickCompression = 20;

// The cache tells which pictures the player looks at, so it is theirs alone.
constexpr QFile::Permissions kOwnerFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kOwnerFolder = kOwnerFile | QFile::ExeOwner;

const QString kUriKey = QStringLiteral("Thumb::URI");
const QString kMTimeKey = QStringLiteral("Thumb::MTime");

// What a thumbnail must record to belong to a picture as it is now.
struct PictureStamp {
    QByteArray uri;  // percent-encoded, as the file manager writes it
    qint64 mtime;    // seconds since the epoch, as stat gives them
};

PictureStamp StampOf(const QFileInfo& picture)
{
    return {QUrl::fromLocalFile(picture.absoluteFilePath()).toEncoded(), picture.lastModified().toSecsSinceEpoch()};
}

bool Belongs(const QImage& thumbnail, const PictureStamp& stamp)
{
    bool isNumber = false;
    const qint64 mtime = thumbnail.text(kMTimeKey).toLongLong(&isNumber);
    return isNumber && mtime == stamp.mtime && thumbnail.text(kUriKey) == QLatin1String(stamp.uri);
}

// The thumbnail kept in `file` when it is a sound one of the picture as
// stamped; a null image otherwise.
QImage ReadThumbnail(const QString& file, const PictureStamp& stamp)
{
    // Not a pipe or a device, which could hold the game up or never end.
    if (!QFileInfo(file).isFile())
        return {};
    QFile source(file);
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.read(kMaxThumbnailBytes + 1);
    if (bytes.size() > kMaxThumbnailBytes)
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Bounded by the byte cap and the header's size below. Qt's allocation
    // limit is one for the whole program, so setting it here would shrink it
    // for every picture read after a thumbnail.
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > ThumbnailCache::LargeSide || size.height() > ThumbnailCache::LargeSide)
        return {};
    QImage thumbnail;
    if (!reader.read(&thumbnail) || !Belongs(thumbnail, stamp))
        return {};
    thumbnail.convertTo(QImage::Format_RGB32);
    return thumbnail;
}

// Whether a preview stretched over `box` shows the thumbnail at its own
// size or smaller: a thumbnail blown up would look worse than the picture
// decoded for the box.
bool Covers(QSize thumbnail, QSize box)
{
    const QSize shown = PreviewSize(thumbnail, box);
    return shown.width() <= thumbnail.width() && shown.height() <= thumbnail.height();
}

// Each missing folder of `folders`, outermost first, made for the owner alone.
bool MakeFolders(std::initializer_list<QString> folders)
{
    for (const QString& folder : folders)
        if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder, kOwnerFolder))
            return false;
    return true;
}

// Keeps `picture`, scaled down to a large thumbnail, in `file`. Written
// whole or not at all, since the file manager may read it at any moment;
// a cache that cannot be written is simply left as it is.
void WriteThumbnail(const QString& file, const QImage& picture, const QFileInfo& source, const PictureStamp& stamp)
{
    const QSize size = FittedSize(picture.size(), QSize(ThumbnailCache::LargeSide, ThumbnailCache::LargeSide));
    QImage thumbnail =
        size == picture.size() ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    thumbnail.setText(kUriKey, QString::fromLatin1(stamp.uri));
    thumbnail.setText(kMTimeKey, QString::number(stamp.mtime));
    thumbnail.setText(QStringLiteral("Thumb::Size"), QString::number(source.size()));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(kOwnerFile))
        return;
    QImageWriter writer(&out, "png");
    writer.setCompression(kQuickCompression);
    if (writer.write(thumbnail))
        out.commit();
    else
        out.cancelWriting();
}

}  // namespace

ThumbnailCache ThumbnailCache::Desktop()
{
    QString home = qEnvironmentVariable("XDG_CACHE_HOME");
    // The base directory rules have a relative path ignored.
    if (home.isEmpty() || QDir::isRelativePath(home))
        home = QDir::homePath() + "/.cache";
    return ThumbnailCache(home);
}

ThumbnailCache::ThumbnailCache(QString cacheHome) : cacheHome_(std::move(cacheHome)) {}

QString ThumbnailCache::ThumbnailPath(const QString& path) const
{
    const QByteArray uri = StampOf(QFileInfo(path)).uri;
    return cacheHome_ + "/thumbnails/large/" +
           QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + ".png";
}

QImage ThumbnailCache::Preview(const QString& path, QSize box) const
{
    const QFileInfo source(path);
    if (!source.isFile())
        return LoadPreview(path, box);
    const PictureStamp stamp = StampOf(source);
    const QString file = ThumbnailPath(path);
    const QImage cached = ReadThumbnail(file, stamp);
    if (!cached.isNull() && Covers(cached.size(), box))
        return cached;
    if (!cached.isNull())
        return LoadPreview(path, box);
    // Decoded anyway, the picture is decoded large enough for a whole
    // thumbnail too; in eighths of a photograph that costs next to nothing.
    QImage picture = LoadPreview(path, box.expandedTo(QSize(LargeSide, LargeSide)));
    if (MakeFolders({cacheHome_, cacheHome_ + "/thumbnails", cacheHome_ + "/thumbnails/large"}))
        WriteThumbnail(file, picture, source, stamp);
    return picture;
}
