#include "picturechecks.h"

#include "rlebmp.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Reads a device through a buffer of its own, so that a file of millions
// of tiny blocks or chunks is walked at the speed of memory, not of a call
// into the device for each.
class ByteStream {
public:
    explicit ByteStream(QIODevice& device) : device_(device) {}

    // The next `count` bytes into `out`; false where the device ends first.
    bool Read(char* out, qint64 count)
    {
        while (count > 0) {
            if (at_ == buffer_.size() && !Fill())
                return false;
            const qint64 part = std::min(count, qint64(buffer_.size() - at_));
            std::memcpy(out, buffer_.constData() + at_, std::size_t(part));
            at_ += part;
            out += part;
            count -= part;
        }
        return true;
    }
    // Appended to `out`, which never grows past what the device holds.
    bool Read(QByteArray& out, qint64 count)
    {
        if (count > buffer_.size() - at_ + device_.size() - device_.pos())
            return false;
        const qsizetype before = out.size();
        out.resize(before + count);
        return Read(out.data() + before, count);
    }
    // Passes over `count` bytes; false where the device ends first.
    bool Skip(qint64 count)
    {
        const qint64 buffered = std::min(count, qint64(buffer_.size() - at_));
        at_ += buffered;
        count -= buffered;
        if (count == 0)
            return true;
        const qint64 to = device_.pos() + count;
        return to <= device_.size() && device_.seek(to);
    }
    std::optional<uchar> Byte()
    {
        char byte = 0;
        return Read(&byte, 1) ? std::optional<uchar>(uchar(byte)) : std::nullopt;
    }

private:
    bool Fill()
    {
        constexpr qint64 ReadBlockBytes = 64 * 1024;
        buffer_ = device_.read(ReadBlockBytes);
        at_ = 0;
        return !buffer_.isEmpty();
    }

    QIODevice& device_;
    QByteArray buffer_;
    qsizetype at_ = 0;
};

template <typename Number>
Number Little(const char* at)
{
    return qFromLittleEndian<Number>(at);
}

// --- BMP ---------------------------------------------------------------

constexpr qint64 BmpFileHeader = 14;
constexpr quint32 Os2Header = 12;      // the oldest header: 16-bit sides
constexpr quint32 SmallestHeader = 40; // Windows' first; later ones grow it
constexpr quint32 LargestHeader = 124;
constexpr quint32 Uncompressed = 0, BitFields = 3, AlphaBitFields = 6;

// --- GIF ---------------------------------------------------------------

// Extensions before the first frame (comments, loop counts, XMP) take some
// kilobytes in real files; far more only slows the walk and Qt's reader.
constexpr qint64 MaxGifExtensionBytes = qint64{1} << 20;
// LZW codes are at most 12 bits a pixel, so a frame's data needs less than
// two bytes a pixel; codes that make no pixel at all are padding.
constexpr qint64 GifDataSlack = qint64{1} << 20;

// The sub-blocks that follow an extension's label or a frame's code size,
// up to the empty one that ends them; their bytes added to `bytes`.
bool SkipSubBlocks(ByteStream& gif, qint64& bytes, qint64 most)
{
    for (;;) {
        const std::optional<uchar> size = gif.Byte();
        if (!size)
            return false;
        if (*size == 0)
            return true;
        bytes += *size;
        if (bytes > most || !gif.Skip(*size))
            return false;
    }
}

// Three bytes a colour, as many colours as the flags' low bits say.
qint64 ColourTableBytes(uchar flags)
{
    return flags & 0x80 ? 3 * (qint64{2} << (flags & 0x07)) : 0;
}

// --- PNG ---------------------------------------------------------------

constexpr char PngSignature[] = "\x89PNG\r\n\x1A\n";
// Ancillary chunks kept, each at most this large (an ICC profile of a
// camera takes some kilobytes, EXIF some tens), and all of them together.
constexpr qint64 MaxPngFactBytes = qint64{1} << 20;
constexpr qint64 MaxPngFactsBytes = qint64{4} << 20;
// A thumbnail's text: keys of the thumbnail standard alone, a few short
// ones, as a zTXt chunk of 2 kB in the file inflates to 2 MB at the most.
constexpr char StampKeyPrefix[] = "Thumb::";
constexpr qint64 MaxPngStampBytes = 2048;
constexpr int MaxPngStamps = 8;
// Beyond what the filtered lines take, zlib's own framing and a margin.
constexpr qint64 PngDataSlack = qint64{1} << 20;

// What the lines of a PNG take uncompressed: a filter byte and the
// pixels' bytes each, twice the filter bytes where it is interlaced.
// Sides beyond any allowed picture are held to 2^20 here, as such a picture
// is refused anyway and the product must not overflow.
qint64 PngLineBytes(const char* header)
{
    const qint64 width = std::min<quint32>(qFromBigEndian<quint32>(header), 1u << 20);
    const qint64 height = std::min<quint32>(qFromBigEndian<quint32>(header + 4), 1u << 20);
    const int depth = uchar(header[8]);
    const int colourType = uchar(header[9]);
    const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const bool interlaced = header[12] != 0;
    return height * ((width * depth * channels + 7) / 8 + (interlaced ? 2 : 1));
}

bool IsType(const char* type, const char* name)
{
    return std::memcmp(type, name, 4) == 0;
}

// Chunks whose first letter is a capital: a reader must know them.
bool IsCritical(const char* type)
{
    return (type[0] & 0x20) == 0;
}

bool IsText(const char* type)
{
    return IsType(type, "tEXt") || IsType(type, "zTXt") || IsType(type, "iTXt");
}

// The ancillary chunks that colour or lay out the pixels.
bool IsPictureFact(const char* type)
{
    for (const char* name : {"tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT", "bKGD", "pHYs", "eXIf"})
        if (IsType(type, name))
            return true;
    return false;
}

// --- WebP --------------------------------------------------------------

constexpr qint64 RiffHeader = 12;  // "RIFF", the size of what follows, "WEBP"
// The extended header's flags of what the file carries besides its frames.
constexpr char WebpIccFlag = 0x20, WebpExifFlag = 0x08, WebpXmpFlag = 0x04;
constexpr qint64 MaxWebpProfileBytes = qint64{1} << 20;

bool IsWebpFrameChunk(const char* type)
{
    for (const char* name : {"VP8 ", "VP8L", "VP8X", "ALPH", "ANIM", "ANMF"})
        if (IsType(type, name))
            return true;
    return false;
}

}  // namespace

std::optional<qint64> BmpPixelsEnd(QByteArrayView head)
{
    if (head.size() < BmpHeadBytes || !head.startsWith("BM"))
        return std::nullopt;
    const char* bytes = head.data();
    const quint32 header = Little<quint32>(bytes + BmpFileHeader);
    const bool os2 = header == Os2Header;
    if (!os2 && (header < SmallestHeader || header > LargestHeader))
        return std::nullopt;
    const qint64 width = os2 ? Little<qint16>(bytes + 18) : Little<qint32>(bytes + 18);
    const qint64 height = std::abs(os2 ? qint64{Little<qint16>(bytes + 20)} : qint64{Little<qint32>(bytes + 22)});
    const int bits = Little<quint16>(bytes + (os2 ? 24 : 28));
    const quint32 compression = os2 ? Uncompressed : Little<quint32>(bytes + 30);
    if (compression != Uncompressed && compression != BitFields && compression != AlphaBitFields)
        return std::nullopt;
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return std::nullopt;
    // Each line padded to whole 32-bit words.
    const qint64 line = (width * bits + 31) / 32 * 4;
    const qint64 pixelsAt = Little<quint32>(bytes + 10);
    if (pixelsAt < BmpFileHeader + header)
        return std::nullopt;
    return pixelsAt + height * line;
}

bool GifFirstFrameWhole(QIODevice& device)
{
    const qint64 start = device.pos();
    ByteStream gif(device);
    const auto answer = [&](bool whole) {
        device.seek(start);
        return whole;
    };
    char screen[13];
    if (!gif.Read(screen, sizeof screen) || (std::memcmp(screen, "GIF87a", 6) != 0 && std::memcmp(screen, "GIF89a", 6) != 0))
        return answer(false);
    const qint64 screenWidth = Little<quint16>(screen + 6), screenHeight = Little<quint16>(screen + 8);
    if (!gif.Skip(ColourTableBytes(uchar(screen[10]))))
        return answer(false);
    qint64 extensionBytes = 0;
    for (;;) {
        const std::optional<uchar> introducer = gif.Byte();
        if (introducer == 0x21) {  // an extension: its label, then sub-blocks
            if (!gif.Byte() || !SkipSubBlocks(gif, extensionBytes, MaxGifExtensionBytes))
                return answer(false);
            continue;
        }
        if (introducer != 0x2C)  // the end, or no GIF at all, before any frame
            return answer(false);
        char frame[9];
        if (!gif.Read(frame, sizeof frame))
            return answer(false);
        const qint64 left = Little<quint16>(frame), top = Little<quint16>(frame + 2);
        const qint64 width = Little<quint16>(frame + 4), height = Little<quint16>(frame + 6);
        if (width == 0 || height == 0 || left + width > screenWidth || top + height > screenHeight)
            return answer(false);
        qint64 dataBytes = 0;
        return answer(gif.Skip(ColourTableBytes(uchar(frame[8]))) && gif.Byte()  // the LZW code size
                      && SkipSubBlocks(gif, dataBytes, 2 * width * height + GifDataSlack));
    }
}

std::optional<QByteArray> PngEssentials(QIODevice& device, PngText text)
{
    ByteStream png(device);
    QByteArray kept(8, Qt::Uninitialized);
    if (!png.Read(kept.data(), 8) || kept != QByteArrayView(PngSignature, 8))
        return std::nullopt;
    qint64 dataLeft = 0;  // set by the header, which must come first
    qint64 factsBytes = 0;
    int stamps = 0;
    for (bool first = true;; first = false) {
        char head[8];  // length and type
        if (!png.Read(head, sizeof head))
            return std::nullopt;
        const quint32 length = qFromBigEndian<quint32>(head);
        const char* type = head + 4;
        if (length > 0x7FFFFFFFu || first != IsType(type, "IHDR"))
            return std::nullopt;
        const bool data = IsType(type, "IDAT");
        if (IsCritical(type) && !first && !data && !IsType(type, "PLTE") && !IsType(type, "IEND"))
            return std::nullopt;  // a kind of chunk no reader knows
        const bool fact = IsPictureFact(type) && length <= MaxPngFactBytes && factsBytes + length <= MaxPngFactsBytes;
        const bool stamp = text == PngText::KeepThumbnailStamps && IsText(type) && length <= MaxPngStampBytes
                           && stamps < MaxPngStamps;
        if (!IsCritical(type) && !fact && !stamp) {
            if (!png.Skip(qint64{length} + 4))  // and its checksum
                return std::nullopt;
            continue;
        }
        const qsizetype at = kept.size();
        kept.append(head, sizeof head);
        if (!png.Read(kept, qint64{length} + 4))
            return std::nullopt;
        const QByteArrayView body = QByteArrayView(kept).sliced(at + 8, length);
        if (first) {
            if (length != 13)
                return std::nullopt;
            dataLeft = PngLineBytes(body.data()) + PngDataSlack;
        }
        if (data && (dataLeft -= length) < 0)
            return std::nullopt;
        factsBytes += fact ? length : 0;
        if (stamp && !body.startsWith(StampKeyPrefix))
            kept.truncate(at);
        else
            stamps += stamp;
        if (IsType(type, "IEND"))
            return kept;
    }
}

QByteArrayView PngExif(QByteArrayView essentials)
{
    // After the signature, each chunk: its length, type, data and CRC.
    for (qsizetype at = 8; at + 12 <= essentials.size();) {
        const qsizetype length = qFromBigEndian<quint32>(essentials.data() + at);
        if (length > essentials.size() - at - 12)
            break;
        if (IsType(essentials.data() + at + 4, "eXIf"))
            return essentials.sliced(at + 8, length);
        at += 12 + length;
    }
    return {};
}

std::optional<QByteArray> WebpEssentials(QIODevice& device)
{
    ByteStream webp(device);
    QByteArray kept(RiffHeader, Qt::Uninitialized);
    if (!webp.Read(kept.data(), RiffHeader) || !kept.startsWith("RIFF") || QByteArrayView(kept).sliced(8) != "WEBP")
        return std::nullopt;
    qint64 left = Little<quint32>(kept.constData() + 4) - 4;  // what the RIFF header says follows "WEBP"
    qsizetype extended = -1;  // where the extended header's flags are kept
    bool profile = false;
    while (left > 0) {
        char head[8];  // type and length
        if (!webp.Read(head, sizeof head))
            return std::nullopt;
        const qint64 length = Little<quint32>(head + 4);
        const qint64 padded = length + length % 2;
        left -= 8 + padded;
        const bool icc = IsType(head, "ICCP") && length <= MaxWebpProfileBytes;
        if (!IsWebpFrameChunk(head) && !icc) {
            if (!webp.Skip(padded))
                return std::nullopt;
            continue;
        }
        if (IsType(head, "VP8X") && extended < 0)
            extended = kept.size() + 8;
        profile = profile || icc;
        kept.append(head, sizeof head);
        if (!webp.Read(kept, padded))
            return std::nullopt;
    }
    if (kept.size() == RiffHeader)
        return std::nullopt;
    qToLittleEndian<quint32>(quint32(kept.size() - 8), kept.data() + 4);
    if (extended >= 0 && extended < kept.size())
        kept[extended] = char(kept[extended] & ~(WebpExifFlag | WebpXmpFlag | (profile ? 0 : WebpIccFlag)));
    return kept;
}
