#include "pictureloader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

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

// No picture within the limits fills this box at less than its full size,
// so it asks for the full size.
constexpr QSize kFullSize(kMaxSide, kMaxSide);

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

// The preview fills the width of its box, or its height when the picture is
// taller than wide; asked of the scaled picture, as the preview will see it.
int CoveringEighths(QSize picture, QSize box)
{
    for (int eighths = 1; eighths < 8; ++eighths) {
        const QSize scaled = Eighths(picture, eighths);
        if (scaled.height() > scaled.width() ? scaled.height() >= box.height() : scaled.width() >= box.width())
            return eighths;
    }
    return 8;
}

QImage LoadBmp(PictureFile& file, const QString& path, QSize box)
{
    QImageReader reader(&file, "bmp");
    // Qt's own default ceiling is lower than ours; without this it would
    // refuse pictures that pass the check below.
    reader.setAllocationLimit(int{kMaxBytes >> 20});
    const QSize size = reader.size();
    // Lines stored top down give a negative height.
    if (size.width() <= 0 || size.height() == 0)
        throw Unreadable(path);
    const qint64 height = std::abs(qint64{size.height()});
    CheckSize(path, size.width(), height);
    const QSize picture(size.width(), int(height));
    // Qt reads the whole picture and then scales it, so the limits above
    // still hold for what it takes.
    if (const int eighths = CoveringEighths(picture, box); eighths < 8)
        reader.setScaledSize(Eighths(picture, eighths));
    QImage image;
    if (!reader.read(&image) || file.ReadPastEnd())
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

QImage LoadJpeg(PictureFile& file, const QString& path, QSize box)
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
    CheckSize(path, info.image_width, info.image_height);
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
    info.scale_num = JDIMENSION(CoveringEighths(QSize(int(info.image_width), int(info.image_height)), box));
    info.scale_denom = 8;
    if (!Guarded(jpeg.errors, [&] { jpeg_calc_output_dimensions(&info); }))
        throw Unreadable(path);
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
    return image;
}

QImage Load(const QString& path, QSize box)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == u"bmp") {
        PictureFile file(path);
        return LoadBmp(file, path, box);
    }
    if (extension == u"jpg" || extension == u"jpeg") {
        PictureFile file(path);
        return LoadJpeg(file, path, box);
    }
    // Any other kind of file is not a picture this game can show.
    throw Unreadable(path);
}

}  // namespace

QImage LoadPicture(const QString& path)
{
    return Load(path, kFullSize);
}

QImage LoadPreview(const QString& path, QSize box)
{
    return Load(path, box);
}

QString BareFileName(const QString& path)
{
    qsizetype start = path.size();
    while (start > 0 && path[start - 1] != u'\\' && path[start - 1] != u'/' && path[start - 1] != u':')
        --start;
    return path.mid(start);
}
