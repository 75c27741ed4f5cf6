#include "pictureloader.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// A background is shown 1:1, so nothing larger than the biggest screens is
// of any use. The bounds are checked against the file's header before any
// pixel memory is taken, so a damaged or hostile header cannot make the game
// ask for gigabytes; they also keep every byte count well inside an int.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxBytes = qint64{256} << 20;  // decoded, at 4 bytes a pixel

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

void CheckSize(const QString& path, qint64 width, qint64 height)
{
    if (width > kMaxSide || height > kMaxSide || width * height * 4 > kMaxBytes)
        throw TooLarge(path);
}

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

// Qt's BMP reader takes the lines a file holds and stops quietly where it
// ends, so the lines a cut-off file lacks would show whatever the memory
// held. Asked for more than is left, the file tells; unbuffered, every
// request is the reader's own, not a read-ahead of the device's.
class WatchedFile : public QFile {
public:
    using QFile::QFile;
    bool RanOut() const { return ranOut_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 got = QFile::readData(data, maxSize);
        ranOut_ = ranOut_ || got < maxSize;
        return got;
    }

private:
    bool ranOut_ = false;
};

QImage LoadBmp(const QString& path, QSize box)
{
    WatchedFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw Unreadable(path);
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
    if (!reader.read(&image) || file.RanOut())
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

QImage LoadJpeg(const QString& path, QSize box)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Unreadable(path);
    // A photograph's file is a fraction of its decoded size, so one larger
    // than the largest picture allowed holds something else; it is refused
    // before reading it whole could take all the memory there is. Only the
    // bytes counted here are read, should the file grow meanwhile.
    const qint64 fileBytes = file.size();
    if (fileBytes > kMaxBytes)
        throw TooLarge(path);
    const QByteArray bytes = file.read(fileBytes);

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
    if (extension == u"bmp")
        return LoadBmp(path, box);
    if (extension == u"jpg" || extension == u"jpeg")
        return LoadJpeg(path, box);
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

QStringList PictureNameFilters()
{
    return {"Bilder (*.bmp *.jpg *.jpeg *.png *.webp *.gif *.tif *.tiff)", "Bilder (Webformat JPG) (*.jpg *.jpeg)",
            "Bilder (Windows-Format BMP) (*.bmp)", "Bilder (PNG) (*.png)", "Bilder (WebP) (*.webp)",
            "Bilder (GIF) (*.gif)", "Bilder (TIFF) (*.tif *.tiff)"};
}

QSize PictureSize(const QString& path)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        throw Unreadable(path);
    return reader.transformation().testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed() : size;
}
