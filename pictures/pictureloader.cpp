#include "pictureloader.h"

#include "colourprofile.h"
#include "exiforientation.h"
#include "heifreader.h"
#include "jpegreader.h"
#include "picturechecks.h"
#include "picturelimits.h"
#include "picturesize.h"
#include "regularfile.h"
#include "rlebmp.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

// A picture's file, opened as every file the game reads is (RegularFile),
// and refused when it is no regular file or too large for any picture.
class PictureFile : public QFile {
public:
    // The program's own pictures go through its artwork reader: a name
    // beginning with ':' is a file name like any other here.
    explicit PictureFile(const QString& path) : opened_(path, MaxPictureFileBytes)
    {
        if (opened_.Result() == RegularFile::Outcome::TooLarge)
            throw PictureFileTooLarge(path);
        if (!opened_.IsOpen() || !open(opened_.Handle(), QIODevice::ReadOnly))
            throw UnreadablePicture(path);
    }
    ~PictureFile() override { close(); }
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    // The whole file, as many bytes as it held when it was opened, should it
    // grow meanwhile.
    QByteArray ReadAll() { return read(opened_.Size()); }
    qint64 OpenedSize() const { return opened_.Size(); }

private:
    RegularFile opened_;
};

// Rounded up, as libjpeg sizes its scaled output.
QSize Eighths(QSize picture, int eighths)
{
    return {(picture.width() * eighths + 7) / 8, (picture.height() * eighths + 7) / 8};
}

// How a picture will be shown: whole within a room (an empty one for its
// full size), scaled down to fit it, or stretched over a preview box's
// width, or its height when the picture is taller than wide.
struct Showing {
    QSize box;
    bool preview = false;
};

// The least size the picture must be decoded at for how it is shown; a
// side of 0 does not count. Asked of the picture upright.
QSize Needed(QSize picture, Showing showing)
{
    if (showing.preview)
        return picture.height() > picture.width() ? QSize(0, showing.box.height()) : QSize(showing.box.width(), 0);
    return showing.box.isEmpty() ? picture : FittedSize(picture, showing.box);
}

// The smallest of the eighths of the stored picture, as libjpeg decodes
// them, that covers what is needed of it, for a picture stored on its side
// (`turned`) as well.
int CoveringEighths(QSize stored, bool turned, Showing showing)
{
    QSize needed = Needed(turned ? stored.transposed() : stored, showing);
    if (turned)
        needed.transpose();
    for (int eighths = 1; eighths < 8; ++eighths) {
        const QSize scaled = Eighths(stored, eighths);
        if (scaled.width() >= needed.width() && scaled.height() >= needed.height())
            return eighths;
    }
    return 8;
}

// Qt's reader of the kind the file's first bytes told. Left to guess, Qt
// would load every image plugin installed to ask each whether it reads the
// file: slow at the first picture, and a plugin could claim a file the
// game's checks passed as another kind.
class KnownKindReader : public QImageReader {
public:
    KnownKindReader(QIODevice& file, const QByteArray& format) : QImageReader(&file, format)
    {
        setAutoDetectImageFormat(false);
    }
};

QImage LoadRleBmp(const QByteArray& bytes, const QString& path)
{
    const QSize size = RleBmpSize(bytes);
    if (size.isEmpty())
        throw UnreadablePicture(path);
    CheckPictureSize(path, size.width(), size.height());
    QImage image = ReadRleBmp(bytes);
    if (image.isNull())
        throw UnreadablePicture(path);
    return image;
}

// A HEIF cannot be decoded smaller; a preview takes the file's own
// thumbnail instead when that covers it.
DecodedPicture LoadHeif(const QByteArray& bytes, const QString& path, Showing showing)
{
    const auto covers = [&](QSize thumbnail) {
        const QSize needed = Needed(thumbnail, showing);
        return thumbnail.width() >= needed.width() && thumbnail.height() >= needed.height();
    };
    return ReadHeif(bytes, path, showing.preview ? covers : std::function<bool(QSize)>());
}

QImage ScaledTo(QImage image, QSize size)
{
    return size == image.size() ? image : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A preview of a picture that no reader decodes smaller, at the eighth of
// it libjpeg would have decoded.
QImage AsPreview(QImage image, Showing showing)
{
    if (!showing.preview)
        return image;
    return ScaledTo(image, Eighths(image.size(), CoveringEighths(image.size(), false, showing)));
}

// The picture fitted into its room; a preview stays as it was decoded.
QImage Shown(QImage image, Showing showing)
{
    return showing.preview ? image : ScaledTo(image, FittedSize(image.size(), showing.box));
}

// The kinds of picture taken, by extension and by what Qt calls them. A
// file with one of these extensions is read as what its first bytes say it
// is, so a PNG saved as ".jpg" shows as well.
struct PictureKind {
    const char* extension;
    const char* format;
    const char* name;  // as the player knows it
};
constexpr PictureKind Kinds[] = {{"bmp", "bmp", "BMP"},    {"jpg", "jpeg", "JPEG"},  {"jpeg", "jpeg", "JPEG"},
                                  {"png", "png", "PNG"},    {"gif", "gif", "GIF"},    {"webp", "webp", "WebP"},
                                  {"tif", "tiff", "TIFF"},  {"tiff", "tiff", "TIFF"}, {"heic", "heif", "HEIC"},
                                  {"heif", "heif", "HEIF"}, {"avif", "heif", "AVIF"}};

// Whether this installation can read pictures of the kind: JPEGs and
// run-length BMPs the game reads itself, HEIFs where libheif has the
// decoder, BMPs and PNGs always (Qt Gui's own readers), the rest where Qt
// has a plugin. Qt loads every plugin to tell its list, so the game's own
// picture does not ask for it.
bool Readable(const PictureKind& kind)
{
    const QByteArrayView format(kind.format), name(kind.name);
    if (format == "jpeg" || format == "bmp" || format == "png")
        return true;
    if (format == "heif")
        return name == "AVIF" ? CanDecodeAvif() : name == "HEIC" ? CanDecodeHeic() : CanDecodeHeic() || CanDecodeAvif();
    return QImageReader::supportedImageFormats().contains(kind.format);
}

PictureError UnknownKind(const QString& path)
{
    QStringList names;
    for (const PictureKind& kind : Kinds)
        if (Readable(kind) && !names.contains(QLatin1StringView(kind.name)))
            names << QLatin1StringView(kind.name);
    return UnknownKindOfPicture(path, names);
}

QByteArray FormatOf(QByteArrayView head)
{
    const auto starts = [&](const char* magic, qsizetype size) { return head.startsWith(QByteArrayView(magic, size)); };
    if (starts("\xFF\xD8\xFF", 3))
        return "jpeg";
    if (starts("BM", 2))
        return "bmp";
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return "png";
    if (starts("GIF87a", 6) || starts("GIF89a", 6))
        return "gif";
    if (starts("RIFF", 4) && head.sliced(std::min<qsizetype>(8, head.size())).startsWith("WEBP"))
        return "webp";
    if (starts("II*\0", 4) || starts("MM\0*", 4))
        return "tiff";
    if (IsHeif(head))
        return "heif";
    return {};
}

// What kind of picture the file is, by its first bytes.
QByteArray FormatOf(PictureFile& file, const QString& path)
{
    QByteArray format = FormatOf(file.peek(12));
    if (format.isEmpty())
        throw UnknownKind(path);
    return format;
}

// What one of Qt's readers is given of a picture's file: the file itself,
// or what the program's checks kept of it where Qt's reader would trust it
// too far. A file found unsound is refused once its size has passed the
// limits, so that a picture beyond them is told as that.
class QtInput {
public:
    QtInput(PictureFile& file, const QByteArray& format, const QString& path) : device_(&file)
    {
        if (format == "bmp") {
            bmpEnd_ = BmpPixelsEnd(file.peek(BmpHeadBytes));
            sound_ = bmpEnd_ && *bmpEnd_ <= file.OpenedSize();
        } else if (format == "png" || format == "webp") {
            std::optional<QByteArray> essentials =
                format == "png" ? PngEssentials(file, PngText::Drop) : WebpEssentials(file);
            if (!essentials)
                throw UnreadablePicture(path);
            bytes_ = std::move(*essentials);
            if (format == "png")
                orientation_ = std::max(1, ExifOrientation(PngExif(bytes_)));
            ReadFromBytes();
        } else if (format == "gif") {
            sound_ = GifFirstFrameWhole(file);
        }
    }
    QtInput(const QtInput&) = delete;
    QtInput& operator=(const QtInput&) = delete;

    QIODevice& Device() { return *device_; }
    bool Sound() const { return sound_; }
    // Whether the reader had all it read: a BMP's lines are read from its
    // file, which could have been cut short since it was checked.
    bool ReadWhole() const { return !bmpEnd_ || device_->pos() >= *bmpEnd_; }
    int Orientation() const { return orientation_; }

private:
    void ReadFromBytes()
    {
        buffer_.setBuffer(&bytes_);
        buffer_.open(QIODevice::ReadOnly);
        device_ = &buffer_;
    }

    QByteArray bytes_;
    QBuffer buffer_;
    QIODevice* device_;
    bool sound_ = true;
    std::optional<qint64> bmpEnd_;
    int orientation_ = 1;
};

// The other kinds, through Qt's readers.
DecodedPicture LoadWithQt(QtInput& input, const QByteArray& format, const QString& path, Showing showing)
{
    // Qt's own default ceiling is lower than ours; without this it would
    // refuse pictures that pass the check below. The ceiling is one for the
    // whole program, so it is set once, before any thread reads with it.
    static const bool ceilingSet = (QImageReader::setAllocationLimit(int{MaxPictureBytes >> 20}), true);
    Q_UNUSED(ceilingSet);
    KnownKindReader reader(input.Device(), format);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // A BMP's lines stored top down give a negative height.
    if (size.width() <= 0 || size.height() == 0)
        throw UnreadablePicture(path);
    const qint64 height = std::abs(qint64{size.height()});
    CheckPictureSize(path, size.width(), height);
    if (!input.Sound())
        throw UnreadablePicture(path);
    const QSize picture(size.width(), int(height));
    // Most readers decode the whole picture and then scale it, so the
    // limits above still hold for what they take.
    const bool turned =
        reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) || input.Orientation() >= 5;
    if (const int eighths = CoveringEighths(picture, turned, showing); eighths < 8)
        reader.setScaledSize(Eighths(picture, eighths));
    QImage image;
    if (!reader.read(&image) || !input.ReadWhole())
        throw UnreadablePicture(path);
    image.convertTo(QImage::Format_RGB32);
    // Qt's readers tell the profile a PNG, WebP or TIFF carries, and leave
    // the pixels as they are. An sRGB one needs nothing done.
    QByteArray icc;
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace::SRgb)
        icc = image.colorSpace().iccProfile();
    image.setColorSpace(QColorSpace());
    return {Upright(std::move(image), input.Orientation()), icc};
}

DecodedPicture Decode(const QString& path, Showing showing)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (std::none_of(std::begin(Kinds), std::end(Kinds), [&](const PictureKind& kind) {
            return extension == QLatin1StringView(kind.extension) && Readable(kind);
        }))
        throw UnknownKind(path);
    PictureFile file(path);
    const QByteArray format = FormatOf(file, path);
    if (format == "heif") {
        DecodedPicture decoded = LoadHeif(file.ReadAll(), path, showing);
        return {AsPreview(std::move(decoded.image), showing), decoded.icc};
    }
    if (format == "jpeg")
        return ReadJpeg(file, path,
                        [&](QSize stored, bool turned) { return CoveringEighths(stored, turned, showing); });
    if (format == "bmp" && IsRleBmp(file.peek(BmpHeadBytes)))
        return {AsPreview(LoadRleBmp(file.ReadAll(), path), showing), {}};
    QtInput input(file, format, path);
    return LoadWithQt(input, format, path, showing);
}

// The colours are turned into sRGB once the picture has its shown size,
// where that costs least.
QImage Load(const QString& path, Showing showing)
{
    DecodedPicture decoded = Decode(path, showing);
    QImage image = Shown(std::move(decoded.image), showing);
    image.convertTo(QImage::Format_RGB32);
    RgbToSrgb(image, decoded.icc);
    return image;
}

}  // namespace

QStringList PictureNameFilters()
{
    QStringList filters;
    for (const PictureKind& kind : Kinds)
        if (Readable(kind))
            filters << QStringLiteral("*.") + QLatin1StringView(kind.extension);
    return filters;
}

QImage LoadPicture(const QString& path, QSize room)
{
    return Load(path, {room});
}

QImage LoadPreview(const QString& path, QSize box)
{
    return Load(path, {box, true});
}

QSize PictureSize(const QString& path)
{
    PictureFile file(path);
    const QByteArray format = FormatOf(file, path);
    if (format == "heif")
        return HeifSize(file.ReadAll(), path);
    if (format == "bmp" && IsRleBmp(file.peek(BmpHeadBytes))) {
        const QSize size = RleBmpSize(file.ReadAll());
        if (size.isEmpty())
            throw UnreadablePicture(path);
        return size;
    }
    QtInput input(file, format, path);
    KnownKindReader reader(input.Device(), format);
    const QSize size = reader.size();
    if (!input.Sound() || !size.isValid() || size.isEmpty())
        throw UnreadablePicture(path);
    const bool turned =
        reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) || input.Orientation() >= 5;
    return turned ? size.transposed() : size;
}

QImage MissingPicture()
{
    QImage picture(500, 400, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

QImage LoadBackgroundPicture(const StoredPicture& stored, QSize room)
{
    return stored.file.isEmpty() ? MissingPicture() : LoadPicture(stored.file, room);
}
