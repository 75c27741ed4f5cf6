#include "pictureloader.h"

#include "picturepath.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTransform>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdlib>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// A background is shown 1:1, so nothing larger than the biggest screens is
// of any use. The bounds are checked against the file's header before any
// pixel memory is taken, so a damaged or hostile header cannot make the game
// ask for gigabytes; they also keep every byte count well inside an int.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxBytes = qint64{256} << 20;  // decoded, at 4 bytes a pixel

// A picture's file is a fraction of its decoded size or about as large, so
// one larger than the largest picture allowed holds something else.
constexpr qint64 kMaxFileBytes = kMaxBytes;

// See LoadJpeg.
constexpr qsizetype kMaxScans = 200;

PictureError Unreadable(const QString& path)
{
    return PictureError(
        QStringLiteral("Das Bild „%1“ kann nicht gelesen werden.").arg(path).toStdString());
}

PictureError TooLarge(const QString& path)
{
    return PictureError(
        QStringLiteral("Das Bild „%1“ ist zu groß: erlaubt sind höchstens %2 Punkte je Seite "
                       "und %3 Megapixel.")
            .arg(path)
            .arg(kMaxSide)
            .arg(kMaxBytes / 4 >> 20)
            .toStdString());
}

PictureError FileTooLarge(const QString& path)
{
    return PictureError(QStringLiteral("Die Datei „%1“ ist zu groß für ein Bild: erlaubt sind höchstens %2 MB.")
                            .arg(path)
                            .arg(kMaxFileBytes >> 20)
                            .toStdString());
}

void CheckSize(const QString& path, qint64 width, qint64 height)
{
    if (width > kMaxSide || height > kMaxSide || width * height * 4 > kMaxBytes)
        throw TooLarge(path);
}

// A picture's file, opened without waiting, should a pipe or a device have
// taken the picture's place, and then looked at through the open handle, so
// that nothing swapped in after any earlier look at its path can pass: a
// folder, a pipe or a device is refused at once, as is a file too large for
// any picture. Only the bytes counted then are read, should the file grow
// meanwhile.
//
// Qt's BMP reader takes the lines a file holds and stops quietly where it
// ends, so the lines a cut-off file lacks would show whatever the memory
// held. So the file holds one byte more than it has, and a reader that took
// it wanted more than the file holds. Reads are buffered: Qt reads a
// compressed BMP a byte at a time.
class PictureFile : public QFile {
public:
    explicit PictureFile(const QString& path)
    {
        // The program's own pictures, compiled into it.
        if (path.startsWith(u':')) {
            setFileName(path);
            if (!open(QIODevice::ReadOnly))
                throw Unreadable(path);
            bytes_ = size();
            return;
        }
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat status {};
        if (fd_ < 0 || ::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode) || !open(fd_, QIODevice::ReadOnly))
            throw Unreadable(path);
        if (status.st_size > kMaxFileBytes)
            throw FileTooLarge(path);
        bytes_ = status.st_size;
    }
    ~PictureFile() override
    {
        close();
        if (fd_ >= 0)
            ::close(fd_);
    }
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    qint64 Bytes() const { return bytes_; }
    bool ReadPastEnd() const { return pos() > bytes_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 left = bytes_ + 1 - pos();
        const qint64 got = QFile::readData(data, std::min(maxSize, left));
        if (got != 0 || maxSize == 0 || left <= 0)
            return got;
        *data = '\0';
        return 1;
    }

private:
    int fd_ = -1;
    qint64 bytes_ = 0;
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

// The other kinds, through Qt's readers.
QImage LoadWithQt(PictureFile& file, const QByteArray& format, const QString& path, Showing showing)
{
    QImageReader reader(&file, format);
    // Qt's own default ceiling is lower than ours; without this it would
    // refuse pictures that pass the check below.
    reader.setAllocationLimit(int{kMaxBytes >> 20});
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    // A BMP's lines stored top down give a negative height.
    if (size.width() <= 0 || size.height() == 0)
        throw Unreadable(path);
    const qint64 height = std::abs(qint64{size.height()});
    CheckSize(path, size.width(), height);
    const QSize picture(size.width(), int(height));
    // Most readers decode the whole picture and then scale it, so the
    // limits above still hold for what they take.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    if (const int eighths = CoveringEighths(picture, turned, showing); eighths < 8)
        reader.setScaledSize(Eighths(picture, eighths));
    QImage image;
    // Other readers than the BMP's read ahead, and know where they end.
    if (!reader.read(&image) || (format == "bmp" && file.ReadPastEnd()))
        throw Unreadable(path);
    image.convertTo(QImage::Format_RGB32);
    return image;
}

struct JpegErrors {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it points to us
    std::jmp_buf jump;
    bool outOfMemory = false;
    bool ranOut = false;  // the file ended before its end marker
};

[[noreturn]] void GiveUp(j_common_ptr info)
{
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    errors->outOfMemory = info->err->msg_code == JERR_NO_BACKING_STORE || info->err->msg_code == JERR_OUT_OF_MEMORY;
    std::longjmp(errors->jump, 1);
}

// On damaged or missing image data libjpeg merely warns and fills the rest
// with grey; a background with a grey band is worse than a clear error, so
// such warnings are fatal, and a file cut off inside its image data stays
// refused. Oddities in the markers that leave the pixels intact pass
// quietly, as nothing would be gained by refusing the picture. So does an
// early end of the file, which a copied or downloaded photograph often has
// just before or instead of its end marker; whether image data was lost
// there is for WholeImageData to tell.
void OnMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
        reinterpret_cast<JpegErrors*>(info->err)->ranOut = true;
        break;
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        GiveUp(info);
    }
}

// Runs libjpeg calls so that a fatal error comes back here rather than
// ending the program; returns whether they all succeeded. The jump skips the
// calls' frames, so they must hold nothing that needs destroying.
template <typename Calls>
bool Guarded(JpegErrors& errors, Calls calls)
{
    if (setjmp(errors.jump))
        return false;
    calls();
    return true;
}

struct JpegDecoder {
    JpegErrors errors;
    jpeg_decompress_struct info{};  // zero, so destroying it is safe even if creating it failed

    JpegDecoder()
    {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = GiveUp;
        errors.manager.emit_message = OnMessage;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&info); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

// Whether a decoded picture had all its image data, where the file ended
// before its end marker. A scan that ran short warns of its own; what is
// left to tell is whether whole scans were lost after the last one read.
// A progressive picture is whole once every coefficient of every component
// has come to its last bit; a sequential one in a single scan is whole as
// decoded. Sequential pictures in several scans cannot tell, so they are
// taken for cut off.
bool WholeImageData(const jpeg_decompress_struct& info)
{
    if (!info.progressive_mode)
        return info.comps_in_scan == info.num_components;
    for (int component = 0; component < info.num_components; ++component)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (info.coef_bits[component][k] != 0)
                return false;
    return true;
}

// Turns a line of CMYK, four bytes a pixel, into RGB32 in place. Adobe's
// programs, which write nearly all CMYK files, store the inks inverted
// (0 = full ink) and mark their files; unmarked files are taken literally.
void CmykToRgb(uchar* line, int width, bool inverted)
{
    const int flip = inverted ? 0 : 0xFF;
    auto* out = reinterpret_cast<QRgb*>(line);
    for (int x = 0; x < width; ++x) {
        const uchar* ink = line + 4 * x;
        // What each ink and the black leave of the paper's white.
        const int c = ink[0] ^ flip, m = ink[1] ^ flip, y = ink[2] ^ flip, k = ink[3] ^ flip;
        out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

// The picture upright, as its EXIF orientation says it was taken.
QImage Upright(QImage image, int orientation)
{
    // Those lying on their side are stood up first, turned a quarter clockwise.
    if (orientation >= 5)
        image = image.transformed(QTransform().rotate(90));
    switch (orientation) {
    case 2:
    case 5:
        image.mirror(true, false);
        break;
    case 3:
    case 8:
        image.mirror(true, true);
        break;
    case 4:
    case 7:
        image.mirror(false, true);
        break;
    }
    return image;
}

QImage LoadJpeg(PictureFile& file, const QString& path, Showing showing)
{
    const QByteArray bytes = file.read(file.Bytes());
    JpegDecoder jpeg;
    jpeg_decompress_struct& info = jpeg.info;
    if (!Guarded(jpeg.errors, [&] {
            jpeg_create_decompress(&info);
            // Progressive pictures are held whole in libjpeg's own memory as
            // well; without a ceiling a small file could take three times
            // what the picture itself may.
            info.mem->max_memory_to_use = kMaxBytes;
            jpeg_mem_src(&info, reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
            jpeg_read_header(&info, TRUE);
        }))
        throw Unreadable(path);
    // The whole picture is decoded whatever part of it is shown, so its
    // sides are held to the limit, and its pixels once they are decoded.
    if (info.image_width > kMaxSide || info.image_height > kMaxSide)
        throw TooLarge(path);
    // Each scan of a progressive picture is decoded over the whole of it, and
    // a few bytes make another, so the scans are counted before any is
    // decoded. Every scan begins with these two bytes, which entropy-coded
    // data never holds, so the count is never too low; photographs have a
    // dozen scans or so.
    if (bytes.count(QByteArrayView("\xFF\xDA", 2)) > kMaxScans)
        throw Unreadable(path);

    // libjpeg-turbo writes the other colour spaces straight in RGB32's byte
    // order (BGRA, which unlike BGRX promises an opaque fourth byte); CMYK
    // it cannot turn into RGB, but its lines are four bytes a pixel too.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is B, G, R, A in memory only here");
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    const int orientation = JpegOrientation(bytes);
    const QSize stored(int(info.image_width), int(info.image_height));
    info.scale_num = JDIMENSION(CoveringEighths(stored, orientation >= 5, showing));
    info.scale_denom = 8;
    if (!Guarded(jpeg.errors, [&] { jpeg_calc_output_dimensions(&info); }))
        throw Unreadable(path);
    CheckSize(path, info.output_width, info.output_height);
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull())
        throw Unreadable(path);
    if (!Guarded(jpeg.errors, [&] {
            jpeg_start_decompress(&info);
            // A whole band of lines at a time, as libjpeg decodes them.
            std::array<JSAMPROW, 16> band;
            while (info.output_scanline < info.output_height) {
                const int first = int(info.output_scanline);
                const int count = std::min<int>(band.size(), int(info.output_height) - first);
                for (int i = 0; i < count; ++i)
                    band[i] = image.scanLine(first + i);
                const int done = int(jpeg_read_scanlines(&info, band.data(), JDIMENSION(count)));
                if (cmyk)
                    for (int i = 0; i < done; ++i)
                        CmykToRgb(band[i], image.width(), info.saw_Adobe_marker);
            }
        }))
        throw jpeg.errors.outOfMemory ? TooLarge(path) : Unreadable(path);
    if (jpeg.errors.ranOut && !WholeImageData(info))
        throw Unreadable(path);
    return Upright(std::move(image), orientation);
}

// The kinds of picture taken, by extension and by what Qt calls them. A
// file with one of these extensions is read as what its first bytes say it
// is, so a PNG saved as ".jpg" shows as well.
struct PictureKind {
    const char* extension;
    const char* format;
};
constexpr PictureKind kKinds[] = {{"bmp", "bmp"}, {"jpg", "jpeg"}, {"jpeg", "jpeg"}, {"png", "png"},
                                  {"gif", "gif"}, {"webp", "webp"}, {"tif", "tiff"}, {"tiff", "tiff"}};

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
    return {};
}

QImage Load(const QString& path, Showing showing)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (std::none_of(std::begin(kKinds), std::end(kKinds), [&](const PictureKind& kind) { return extension == QLatin1StringView(kind.extension); }))
        throw Unreadable(path);  // not a picture this game can show
    PictureFile file(path);
    const QByteArray format = FormatOf(file.peek(12));
    if (format == "jpeg")
        return LoadJpeg(file, path, showing);
    if (format.isEmpty())
        throw Unreadable(path);
    return LoadWithQt(file, format, path, showing);
}

// An EXIF block ("Exif", two zeros, then a TIFF file) names the orientation
// in its first folder of tags; 0 when it does not.
int ExifOrientation(QByteArrayView exif)
{
    if (!exif.startsWith(QByteArrayView("Exif\0\0", 6)))
        return 0;
    const QByteArrayView tiff = exif.sliced(6);
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM"))
        return 0;
    // Out of bounds reads as 0, which no field here may be.
    const auto number = [&](qint64 at, int bytes) -> quint32 {
        if (at < 0 || at + bytes > tiff.size())
            return 0;
        const char* p = tiff.data() + at;
        if (bytes == 2)
            return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
        return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    };
    if (number(2, 2) != 42)
        return 0;
    const qint64 folder = number(4, 4);
    const quint32 tags = number(folder, 2);
    for (quint32 i = 0; i < tags; ++i) {
        const qint64 tag = folder + 2 + 12 * qint64{i};
        constexpr quint32 kOrientation = 0x0112, kShort = 3;
        if (tag + 12 > tiff.size())
            return 0;
        if (number(tag, 2) == kOrientation && number(tag + 2, 2) == kShort && number(tag + 4, 4) == 1) {
            const quint32 value = number(tag + 8, 2);
            return value >= 1 && value <= 8 ? int(value) : 0;
        }
    }
    return 0;
}

}  // namespace

int JpegOrientation(QByteArrayView jpeg)
{
    // The markers before the first scan: each 0xFF, its kind, and the length
    // of what follows, itself included, in two bytes.
    qsizetype at = 2;  // after the start marker
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar kind = uchar(jpeg[at + 1]);
        if (kind == 0xFF) {  // a fill byte
            ++at;
            continue;
        }
        if (kind == 0xDA || kind == 0xD9)
            break;
        const qsizetype length = qFromBigEndian<quint16>(jpeg.data() + at + 2);
        if (length < 2)
            break;
        if (kind == 0xE1) {
            if (const int orientation = ExifOrientation(jpeg.sliced(at + 4, std::min(length - 2, jpeg.size() - at - 4))))
                return orientation;
        }
        at += 2 + length;
    }
    return 1;
}

QStringList PictureNameFilters()
{
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList filters;
    for (const PictureKind& kind : kKinds)
        if (kind.format == QByteArrayView("jpeg") || readable.contains(kind.format))
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

PictureError UnreadablePicture(const QString& path)
{
    return Unreadable(path);
}

QSize PictureSize(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        throw Unreadable(path);
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed() : size;
}
