#include "thumbnailcache.h"

#include "picturechecks.h"
#include "pictureloader.h"
#include "picturesize.h"
#include "regularfile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A large thumbnail takes a quarter of a megabyte decoded and less as a
// file. Other programs write into the cache as well, so a file there may be
// anything; one far beyond that size is not read at all.
constexpr qint64 MaxThumbnailBytes = qint64{1} << 20;

// Qt's PNG writer spreads 0 to 100 over zlib's levels; this is level 1.
// Written at the first preview, a thumbnail packed at the default level
// would cost a fifth of the preview's time, for a file a fifth smaller.
constexpr int QuickCompression = 20;

// The cache tells which pictures the player looks at, so it is theirs alone.
constexpr QFile::Permissions OwnerFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

const QString UriKey = QStringLiteral("Thumb::URI");
const QString MTimeKey = QStringLiteral("Thumb::MTime");
const QString WidthKey = QStringLiteral("Thumb::Image::Width");
const QString HeightKey = QStringLiteral("Thumb::Image::Height");

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
    const qint64 mtime = thumbnail.text(MTimeKey).toLongLong(&isNumber);
    return isNumber && mtime == stamp.mtime && thumbnail.text(UriKey) == QLatin1String(stamp.uri);
}

// The thumbnail kept in `file` when it is a sound one of the picture as
// stamped and no larger than `side`; a null image otherwise.
QImage ReadThumbnail(const QString& file, const PictureStamp& stamp, int side)
{
    // Only a file itself: a link could lead the game to read anything, a
    // pipe or a device hold it up or never end.
    std::optional<QByteArray> bytes = RegularFile(file, MaxThumbnailBytes, RegularFile::Links::Refuse).ReadAll();
    if (!bytes)
        return {};
    QBuffer raw(&*bytes);
    raw.open(QIODevice::ReadOnly);
    std::optional<QByteArray> essentials = PngEssentials(raw, PngText::KeepThumbnailStamps);
    if (!essentials)
        return {};
    QBuffer buffer(&*essentials);
    buffer.open(QIODevice::ReadOnly);
    // Bounded by the byte cap and the header's size below. Qt's allocation
    // limit is one for the whole program, so setting it here would shrink it
    // for every picture read after a thumbnail.
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > side || size.height() > side)
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

// Whether `folder` is a folder of the player's own and no link. In a folder
// reached through a link, or one that someone else may fill, the entries
// could lead the thumbnails written anywhere, for a game run as root over
// any file.
bool IsOwnFolder(const QString& folder)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

QString FolderOf(ThumbnailCache::Size size)
{
    return size == ThumbnailCache::Size::Normal ? QStringLiteral("normal") : QStringLiteral("large");
}

// Whether the cache's folders are the player's own, made for them alone
// where missing. The cache home may be a link, as it often is; the folders
// in it are each looked at before the next is made in it, so that none is
// made through a link.
bool MakeOwnCache(const QString& cacheHome, ThumbnailCache::Size size)
{
    QDir().mkdir(cacheHome, OwnerFolder);
    for (const QString& folder : {cacheHome + "/thumbnails", cacheHome + "/thumbnails/" + FolderOf(size)}) {
        QDir().mkdir(folder, OwnerFolder);
        if (!IsOwnFolder(folder))
            return false;
    }
    return true;
}

QImage ScaledToSide(const QImage& picture, int side)
{
    const QSize size = FittedSize(picture.size(), QSize(side, side));
    return size == picture.size() ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The picture's own size as the thumbnail records it, for the standard's
// writers record it; an empty size where it does not.
QSize RecordedSize(const QImage& thumbnail)
{
    return {thumbnail.text(WidthKey).toInt(), thumbnail.text(HeightKey).toInt()};
}

// Keeps `thumbnail` in `file`, with the picture's size where it is known.
// Written whole or not at all, since the file manager may read it at any
// moment; a cache that cannot be written is simply left as it is.
void WriteThumbnail(const QString& file, QImage thumbnail, const QFileInfo& source, const PictureStamp& stamp,
                    QSize pictureSize = {})
{
    if (!pictureSize.isEmpty()) {
        thumbnail.setText(WidthKey, QString::number(pictureSize.width()));
        thumbnail.setText(HeightKey, QString::number(pictureSize.height()));
    }
    thumbnail.setText(UriKey, QString::fromLatin1(stamp.uri));
    thumbnail.setText(MTimeKey, QString::number(stamp.mtime));
    thumbnail.setText(QStringLiteral("Thumb::Size"), QString::number(source.size()));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(QuickCompression);
    if (!writer.write(thumbnail))
        return;
    // A file of the game's own, made new (mkostemp opens it exclusively, for
    // the owner alone) and renamed over the entry: whatever lay there, a
    // link too, is replaced and never written through, as QSaveFile would.
    const QByteArray entry = QFile::encodeName(file);
    QByteArray temporary = entry + ".plimmerlo-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return;
    QFile out;
    bool written = out.open(fd, QIODevice::WriteOnly) && out.write(png) == png.size() && out.flush();
    out.close();
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.constData(), entry.constData()) != 0)
        ::unlink(temporary.constData());
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

QString ThumbnailCache::ThumbnailPath(const QString& path, Size size) const
{
    const QByteArray uri = StampOf(QFileInfo(path)).uri;
    return cacheHome_ + "/thumbnails/" + FolderOf(size) + '/' +
           QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + ".png";
}

QImage ThumbnailCache::Preview(const QString& path, QSize box) const
{
    const QFileInfo source(path);
    if (!source.isFile())
        return LoadPreview(path, box);
    const PictureStamp stamp = StampOf(source);
    const QString file = ThumbnailPath(path);
    const bool ownCache = MakeOwnCache(cacheHome_, Size::Large);
    const QImage cached = ownCache ? ReadThumbnail(file, stamp, LargeSide) : QImage();
    if (!cached.isNull() && Covers(cached.size(), box))
        return cached;
    if (!cached.isNull())
        return LoadPreview(path, box);
    // Decoded anyway, the picture is decoded large enough for a whole
    // thumbnail too; in eighths of a photograph that costs next to nothing.
    QImage picture = LoadPreview(path, box.expandedTo(QSize(LargeSide, LargeSide)));
    if (ownCache)
        WriteThumbnail(file, ScaledToSide(picture, LargeSide), source, stamp);
    return picture;
}

ThumbnailCache::Entry ThumbnailCache::Thumbnail(const QString& path, Size size) const
{
    const int side = Side(size);
    const QFileInfo source(path);
    const PictureStamp stamp = StampOf(source);
    const QString file = ThumbnailPath(path, size);
    const bool ownCache = source.isFile() && MakeOwnCache(cacheHome_, size);
    if (QImage cached = ownCache ? ReadThumbnail(file, stamp, side) : QImage(); !cached.isNull()) {
        QSize pictureSize = RecordedSize(cached);
        // Read from the header alone, which also refuses a picture the
        // game could not show after all.
        if (pictureSize.isEmpty())
            pictureSize = PictureSize(path);
        return {std::move(cached), pictureSize};
    }
    const QSize pictureSize = PictureSize(path);
    QImage thumbnail = ScaledToSide(LoadPreview(path, QSize(side, side)), side);
    if (ownCache)
        WriteThumbnail(file, thumbnail, source, stamp, pictureSize);
    return {std::move(thumbnail), pictureSize};
}
