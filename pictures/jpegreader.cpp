#include "jpegreader.h"

#include "colourprofile.h"
#include "exiforientation.h"
#include "picturelimits.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

namespace {

// Each scan of a picture is decoded over all its blocks of 8 x 8 samples,
// and a few bytes of the file make another scan, so the work a file asks
// for is bounded by its scans times its blocks. This many take libjpeg some
// 0.3 s where the scans hold next to nothing; a photograph of the largest
// size allowed, in the ten scans of a progressive one, asks for less.
constexpr qint64 MaxScanBlocks = qint64{64} << 20;

// How much of a file is read at a time.
constexpr qint64 BlockBytes = 64 * 1024;
// The EXIF block comes first or second among a photograph's markers, behind
// at most a colour profile of some kilobytes.
constexpr qint64 MarkerBytes = 1 << 20;

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

// libjpeg reads the file through this a block at a time, so that no more
// of it is held than a block, whatever the file carries besides its pixels.
struct DeviceSource {
    jpeg_source_mgr manager{};  // first, so libjpeg's pointer to it points to us
    QIODevice* file = nullptr;
    QByteArray block{BlockBytes, Qt::Uninitialized};
};

boolean FillBlock(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<DeviceSource*>(info->src);
    auto* bytes = reinterpret_cast<JOCTET*>(source->block.data());
    qint64 got = source->file->read(source->block.data(), source->block.size());
    if (got <= 0) {
        // As libjpeg's own sources do: a warning, and the end of the picture.
        WARNMS(info, JWRN_JPEG_EOF);
        bytes[0] = 0xFF;
        bytes[1] = JPEG_EOI;
        got = 2;
    }
    source->manager.next_input_byte = bytes;
    source->manager.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void SkipBytes(j_decompress_ptr info, long count)
{
    jpeg_source_mgr& manager = *info->src;
    if (count <= 0)
        return;
    if (std::size_t(count) <= manager.bytes_in_buffer) {
        manager.next_input_byte += count;
        manager.bytes_in_buffer -= std::size_t(count);
        return;
    }
    count -= long(manager.bytes_in_buffer);
    manager.bytes_in_buffer = 0;
    reinterpret_cast<DeviceSource*>(info->src)->file->skip(count);
}

void NoStep(j_decompress_ptr) {}

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

// The ICC profile the markers kept hold; empty where there is none.
QByteArray ColourProfile(j_decompress_ptr info)
{
    JOCTET* bytes = nullptr;
    unsigned int size = 0;
    if (!jpeg_read_icc_profile(info, &bytes, &size))
        return {};
    QByteArray profile(reinterpret_cast<const char*>(bytes), qsizetype(size));
    std::free(bytes);
    return profile;
}

// Turns a line of CMYK, four bytes a pixel, into RGB32 in place, where no
// press profile is at hand. Adobe's programs, which write nearly all CMYK
// files, store the inks inverted (0 = full ink) and mark their files;
// unmarked files are taken literally.
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

// Counted with memchr, since a byte-by-byte search cost a photograph
// decoded small about 7 % of its time: 0xFF stands in entropy-coded data once
// in some hundred bytes. Read from the file's current place to its end,
// which is where it is left again.
qint64 ScanCount(QIODevice& file)
{
    const qint64 start = file.pos();
    qint64 scans = 0;
    bool afterMarker = false;  // the block before ended in 0xFF
    for (QByteArray block; !(block = file.read(BlockBytes)).isEmpty();) {
        const char* at = block.constData();
        const char* const end = at + block.size();
        scans += afterMarker && uchar(*at) == 0xDA;
        while (const void* found = std::memchr(at, 0xFF, std::size_t(end - at))) {
            at = static_cast<const char*>(found) + 1;
            if (at == end)
                break;
            scans += uchar(*at) == 0xDA;
        }
        afterMarker = uchar(block.back()) == 0xFF;
    }
    file.seek(start);
    return scans;
}

// What the markers before the first scan tell: the EXIF orientation (1,
// upright, where they name none), and whether they all lie within the
// bytes looked at.
struct JpegHead {
    int orientation = 1;
    bool whole = false;
};

JpegHead ReadHead(QByteArrayView jpeg)
{
    JpegHead head;
    bool oriented = false;
    // Each marker: 0xFF, its kind, and the length of what follows, itself
    // included, in two bytes.
    qsizetype at = 2;  // after the start marker
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar kind = uchar(jpeg[at + 1]);
        if (kind == 0xFF) {  // a fill byte
            ++at;
            continue;
        }
        if (kind == 0xDA) {
            head.whole = true;
            break;
        }
        const qsizetype length = qFromBigEndian<quint16>(jpeg.data() + at + 2);
        if (kind == 0xD9 || length < 2)
            break;
        // An EXIF block: "Exif", two zeros, then a TIFF structure.
        const QByteArrayView block = jpeg.sliced(at + 4, std::min(length - 2, jpeg.size() - at - 4));
        if (kind == 0xE1 && !oriented && block.startsWith(QByteArrayView("Exif\0\0", 6))) {
            if (const int orientation = ExifOrientation(block.sliced(6))) {
                head.orientation = orientation;
                oriented = true;
            }
        }
        at += 2 + length;
    }
    return head;
}

}  // namespace

DecodedPicture ReadJpeg(QIODevice& file, const QString& path, const std::function<int(QSize, bool)>& eighthsFor)
{
    const qint64 scans = ScanCount(file);
    const JpegHead head = ReadHead(file.peek(MarkerBytes));
    const int orientation = head.orientation;
    DeviceSource source;
    source.file = &file;
    source.manager.init_source = NoStep;
    source.manager.fill_input_buffer = FillBlock;
    source.manager.skip_input_data = SkipBytes;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = NoStep;
    JpegDecoder jpeg;
    jpeg_decompress_struct& info = jpeg.info;
    QByteArray profile;
    if (!Guarded(jpeg.errors, [&] {
            jpeg_create_decompress(&info);
            // Progressive pictures are held whole in libjpeg's own memory as
            // well; without a ceiling a small file could take three times
            // what the picture itself may.
            info.mem->max_memory_to_use = MaxPictureBytes;
            info.src = &source.manager;
            // libjpeg keeps every APP2 marker it is asked to keep, however
            // many a file holds (and its colour profile may take 255 of
            // them, some 16 MB), so they are kept only where all the
            // markers before the first scan lie in the bytes looked at
            // above, and none once that scan begins.
            if (head.whole)
                jpeg_save_markers(&info, JPEG_APP0 + 2, 0xFFFF);
            jpeg_read_header(&info, TRUE);
            jpeg_save_markers(&info, JPEG_APP0 + 2, 0);
            profile = ColourProfile(&info);
        }))
        throw UnreadablePicture(path);
    // The whole picture is decoded whatever part of it is shown, so its
    // sides are held to the limit, and its pixels once they are decoded.
    if (info.image_width > MaxPictureSide || info.image_height > MaxPictureSide)
        throw PictureTooLarge(path);
    // Every scan begins with these two bytes, which entropy-coded data never
    // holds, so the count is never too low.
    qint64 blocks = 0;
    for (int component = 0; component < info.num_components; ++component)
        blocks += qint64{info.comp_info[component].width_in_blocks} * info.comp_info[component].height_in_blocks;
    if (scans * blocks > MaxScanBlocks)
        throw UnreadablePicture(path);

    // libjpeg-turbo writes the other colour spaces straight in RGB32's byte
    // order (BGRA, which unlike BGRX promises an opaque fourth byte); CMYK
    // it cannot turn into RGB, but its lines are four bytes a pixel too.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is B, G, R, A in memory only here");
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    const QSize stored(int(info.image_width), int(info.image_height));
    info.scale_num = JDIMENSION(eighthsFor(stored, orientation >= 5));
    info.scale_denom = 8;
    if (!Guarded(jpeg.errors, [&] { jpeg_calc_output_dimensions(&info); }))
        throw UnreadablePicture(path);
    CheckPictureSize(path, info.output_width, info.output_height);
    QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (image.isNull())
        throw UnreadablePicture(path);
    if (!Guarded(jpeg.errors, [&] {
            jpeg_start_decompress(&info);
            // A whole band of lines at a time, as libjpeg decodes them.
            std::array<JSAMPROW, 16> band;
            while (info.output_scanline < info.output_height) {
                const int first = int(info.output_scanline);
                const int count = std::min<int>(band.size(), int(info.output_height) - first);
                for (int i = 0; i < count; ++i)
                    band[i] = image.scanLine(first + i);
                jpeg_read_scanlines(&info, band.data(), JDIMENSION(count));
            }
        }))
        throw jpeg.errors.outOfMemory ? PictureTooLarge(path) : UnreadablePicture(path);
    if (jpeg.errors.ranOut && !WholeImageData(info))
        throw UnreadablePicture(path);
    if (cmyk) {
        if (!CmykToSrgb(image, profile, info.saw_Adobe_marker))
            for (int y = 0; y < image.height(); ++y)
                CmykToRgb(image.scanLine(y), image.width(), info.saw_Adobe_marker);
        profile.clear();
    }
    return {Upright(std::move(image), orientation), profile};
}
