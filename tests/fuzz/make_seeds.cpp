// Writes the fuzz targets' seed corpora: small valid files of every kind
// the game reads, so that the mutations start from deep inside the formats.
//
//   make_seeds <folder>     writes <folder>/ini, <folder>/bmp, <folder>/jpeg

#include "support/bmpwriter.h"
#include "support/jpegwriter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include <jpeglib.h>

namespace {

void Write(const QDir& folder, const char* name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

// ------------------------------------------------------------------ INI

void IniSeeds(const QDir& folder)
{
    Write(folder, "game.ini",
          "[OPTIONS]\r\ngamename=Zoo\r\nuser=Lena\r\nfirstgame=07.12.26 12:23:45\r\n"
          "[Zoo-GAME]\r\nfilename=zoo.bmp\r\ndate=07.12.26 12:23\r\nrows=20\r\ncols=30\r\n"
          "grid=0\r\ncolor1=0\r\ncolor2=0\r\ncolor3=1\r\ncolor4=0\r\ncolor5=1\r\n");
    Write(folder, "comments.ini",
          "; settings\n[Bilder]\n; between entries\nname = \"quoted value\" \nquote='single'\n"
          "half=\"open\n\n[leer]\n;last\n[Zahlen]\nhex=0x1F\nneg=-12\nbig=99999999999\n");
    Write(folder, "line_ends.ini", "[A]\rk=1\r[B]\nk=2\n[C]\r\nk=3\n\r[D]\n\rk=4");
    Write(folder, "names.ini",
          "orphan=before any section\r\n[ Spaces ] trailing text\r\nKEY=1\r\nkey=2\r\n[]\r\n=no key\r\n"
          "empty=\r\n[spaces]\r\nk=second of its name\r\n[open\r\nx\r\n[a]b]\r\nk=v\r\n");
    // Windows-1252: umlauts, the euro sign and the five undefined codes.
    // Counted by the array, as the text holds a zero byte.
    static constexpr char codepage[] = "[B\xe4ume-GAME]\r\nfilename=C:\\Bilder\\B\xe4r.jpg\r\n\x80=euro\r\n"
                                       "x\x81\x8d\x8f\x90\x9d=undefined\r\n[\xc4]\r\nk=\xff\r\n[\xe4]\r\nk=\x00z\r\n";
    Write(folder, "codepage.ini", QByteArray(codepage, sizeof codepage - 1));
}

// ------------------------------------------------------------------ BMP

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(char(v));
    return bytes;
}

constexpr int BmpWidth = 5, BmpHeight = 3;

// `row(y)` gives the pixel bytes of line y; lines are padded to 4 bytes.
QByteArray Bmp(int bits, int compression, const std::vector<quint32>& palette, const std::function<QByteArray(int)>& row,
               bool topDown = false, const std::vector<quint32>& masks = {})
{
    QByteArray pixels;
    for (int y = 0; y < BmpHeight; ++y) {
        QByteArray line = row(y);
        if (compression == 0 || compression == 3)
            line.append((4 - line.size() % 4) % 4, '\0');
        pixels += line;
    }
    if (compression == 1 || compression == 2)
        pixels += QByteArray("\x00\x01", 2); // end of bitmap
    const int headerBytes = 14 + 40 + 4 * int(masks.size()) + 4 * int(palette.size());
    QByteArray bmp(headerBytes, '\0');
    char* p = bmp.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(headerBytes + pixels.size(), p + 2);
    qToLittleEndian<quint32>(headerBytes, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(BmpWidth, p + 18);
    qToLittleEndian<qint32>(topDown ? -BmpHeight : BmpHeight, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(bits, p + 28);
    qToLittleEndian<quint32>(compression, p + 30);
    qToLittleEndian<quint32>(pixels.size(), p + 34);
    qToLittleEndian<qint32>(2835, p + 38);
    qToLittleEndian<qint32>(2835, p + 42);
    qToLittleEndian<quint32>(palette.size(), p + 46);
    char* tail = p + 54;
    for (quint32 mask : masks)
        qToLittleEndian(mask, std::exchange(tail, tail + 4));
    for (quint32 colour : palette)
        qToLittleEndian(colour, std::exchange(tail, tail + 4));
    return bmp + pixels;
}

// The same picture in the old OS/2 header of 12 bytes, 24 bits a pixel.
QByteArray CoreBmp()
{
    QByteArray bmp(26, '\0');
    char* p = bmp.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(26, p + 10);
    qToLittleEndian<quint32>(12, p + 14);
    qToLittleEndian<quint16>(BmpWidth, p + 18);
    qToLittleEndian<quint16>(BmpHeight, p + 20);
    qToLittleEndian<quint16>(1, p + 22);
    qToLittleEndian<quint16>(24, p + 24);
    for (int y = 0; y < BmpHeight; ++y) {
        for (int x = 0; x < BmpWidth; ++x)
            bmp += Bytes({40 * x, 80 * y, 200});
        bmp.append(1, '\0');
    }
    qToLittleEndian<quint32>(bmp.size(), bmp.data() + 2);
    return bmp;
}

// A 4096 x 4096 RLE8 picture of `bytes` at most. Every line ends with its end
// code, and as many lines as fit are first painted one pixel a code: a
// reader that asks the system for each code spends its time on the calls.
// With room for the end codes alone it is a few kilobytes in one colour.
QByteArray LargeRle8(qsizetype bytes)
{
    constexpr int side = 4096;
    constexpr qsizetype headerBytes = 14 + 40 + 2 * 4;
    QByteArray runs;
    for (int y = 0; y < side; ++y) {
        // What the end codes of this line and the ones below still need.
        const qsizetype ends = 2 * (side - y) + 2;
        for (int x = 0; x < side && headerBytes + runs.size() + 2 + ends <= bytes; ++x)
            runs += Bytes({1, (x + y) & 1});
        runs += Bytes({0, 0});
    }
    runs += Bytes({0, 1});
    return RleBmp(8, side, side, {0x2060A0, 0xFFFFFF}, runs);
}

void BmpSeeds(const QDir& folder)
{
    const std::vector<quint32> two = {0x000000, 0xFFFFFF};
    const std::vector<quint32> sixteen = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const std::vector<quint32> four = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
    Write(folder, "mono.bmp", Bmp(1, 0, two, [](int y) { return Bytes({0xA8 >> y}); }));
    Write(folder, "4bit.bmp", Bmp(4, 0, sixteen, [](int y) { return Bytes({0x01 + y, 0x23, 0xF0}); }));
    Write(folder, "8bit.bmp", Bmp(8, 0, four, [](int y) { return Bytes({0, 1, 2, 3, y}); }));
    Write(folder, "24bit.bmp", Bmp(24, 0, {}, [](int y) {
              QByteArray line;
              for (int x = 0; x < BmpWidth; ++x)
                  line += Bytes({40 * x, 80 * y, 200});
              return line;
          }));
    Write(folder, "24bit_topdown.bmp", Bmp(24, 0, {}, [](int y) { return QByteArray(3 * BmpWidth, char(60 * y)); }, true));
    Write(folder, "32bit.bmp", Bmp(32, 0, {}, [](int y) {
              QByteArray line;
              for (int x = 0; x < BmpWidth; ++x)
                  line += Bytes({40 * x, 80 * y, 200, 0});
              return line;
          }));
    // 5-6-5 and 8-8-8-8 through colour masks.
    Write(folder, "16bit_565.bmp", Bmp(16, 3, {}, [](int y) { return QByteArray(2 * BmpWidth, char(0x1F << y)); }, false,
                                       {0xF800, 0x07E0, 0x001F}));
    Write(folder, "32bit_masks.bmp", Bmp(32, 3, {}, [](int y) { return QByteArray(4 * BmpWidth, char(0x55 * y)); }, false,
                                         {0x00FF0000, 0x0000FF00, 0x000000FF}));
    // Run lengths: runs, an absolute stretch and line ends.
    Write(folder, "rle8.bmp",
          Bmp(8, 1, four, [](int y) { return y == 1 ? Bytes({0, 3, 1, 2, 3, 0, 2, 2, 0, 0}) : Bytes({5, y, 0, 0}); }));
    Write(folder, "rle4.bmp", Bmp(4, 2, sixteen, [](int y) {
              return y == 1 ? Bytes({0, 3, 0x12, 0x30, 2, 0x45, 0, 0}) : Bytes({5, 0x9A, 0, 0});
          }));
    Write(folder, "os2.bmp", CoreBmp());
    Write(folder, "rle8_4096_one_colour.bmp", LargeRle8(0));
    // As large as the bmp target's inputs may be, less a quarter for the
    // fuzzer to grow it.
    Write(folder, "rle8_4096_byte_by_byte.bmp", LargeRle8(3 << 20));
}

// ------------------------------------------------------------------ JPEG

enum class Jpeg { Baseline, Progressive, Gray, AdobeCmyk, PlainCmyk, Ycck, Restarts, Arithmetic, Subsampled };

QByteArray EncodeJpeg(Jpeg kind)
{
    constexpr int width = 19, height = 11;
    const bool gray = kind == Jpeg::Gray;
    const bool cmyk = kind == Jpeg::AdobeCmyk || kind == Jpeg::PlainCmyk || kind == Jpeg::Ycck;
    const int components = gray ? 1 : cmyk ? 4 : 3;
    const auto adjust = [kind](jpeg_compress_struct& info) {
        switch (kind) {
        case Jpeg::Progressive:
            jpeg_simple_progression(&info);
            break;
        case Jpeg::Ycck:
            jpeg_set_colorspace(&info, JCS_YCCK);
            break;
        case Jpeg::PlainCmyk:
            info.write_Adobe_marker = FALSE;
            break;
        case Jpeg::Restarts:
            info.restart_interval = 1;
            break;
        case Jpeg::Arithmetic:
            info.arith_code = TRUE;
            break;
        case Jpeg::Subsampled:
            info.comp_info[0].h_samp_factor = 2;
            info.comp_info[0].v_samp_factor = 2;
            info.optimize_coding = TRUE;
            break;
        default:
            // 4:4:4, so the seeds cover the layout without subsampling too.
            info.comp_info[0].h_samp_factor = 1;
            info.comp_info[0].v_samp_factor = 1;
            break;
        }
    };
    return WriteJpeg(width, height, gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB, 50, adjust,
                     [&](int y, JSAMPLE* line) {
                         for (int x = 0; x < width; ++x)
                             for (int c = 0; c < components; ++c)
                                 line[x * components + c] = JSAMPLE((x * 13 + y * 23 + c * 70) & 0xFF);
                     });
}

// The picture with an Exif segment after its start marker whose one entry
// is the orientation, in either of the byte orders a camera may write.
QByteArray WithOrientation(const QByteArray& jpeg, bool bigEndian, quint16 orientation)
{
    QByteArray tiff(8 + 2 + 12 + 4, '\0');
    char* p = tiff.data();
    const auto put16 = [&](int at, quint16 v) { bigEndian ? qToBigEndian(v, p + at) : qToLittleEndian(v, p + at); };
    const auto put32 = [&](int at, quint32 v) { bigEndian ? qToBigEndian(v, p + at) : qToLittleEndian(v, p + at); };
    tiff.replace(0, 2, bigEndian ? "MM" : "II");
    put16(2, 42);
    put32(4, 8);           // the first directory follows the header
    put16(8, 1);           // one entry:
    put16(10, 0x0112);     // orientation,
    put16(12, 3);          // a 16-bit number,
    put32(14, 1);          // one of them,
    put16(18, orientation);
    QByteArray segment = "\xff\xe1" + QByteArray(2, '\0') + QByteArray("Exif\0\0", 6) + tiff;
    qToBigEndian<quint16>(quint16(segment.size() - 2), segment.data() + 2);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// A progressive picture of thousands of scans within the fuzzers' 64 KiB:
// a flat grey one, whose last scan refines nothing but runs of empty
// blocks, with that scan repeated. A decoder that takes every scan goes
// over all the picture's blocks thousands of times.
QByteArray ManyScans()
{
    constexpr int side = 2048, maxBytes = 65536;
    const QByteArray plain = WriteJpeg(side, side, JCS_GRAYSCALE, 75, [](jpeg_compress_struct& info) { jpeg_simple_progression(&info); },
                                       [](int, JSAMPLE* line) { std::fill_n(line, side, JSAMPLE(128)); });
    // From the last start-of-scan marker to the end marker; no table
    // follows it, so every copy decodes with the tables in force.
    const qsizetype lastScan = plain.lastIndexOf("\xff\xda");
    const QByteArray scan = plain.mid(lastScan, plain.size() - 2 - lastScan);
    QByteArray jpeg = plain.left(plain.size() - 2);
    while (jpeg.size() + scan.size() + 2 <= maxBytes)
        jpeg += scan;
    return jpeg + "\xff\xd9";
}

void JpegSeeds(const QDir& folder)
{
    const std::pair<const char*, Jpeg> kinds[] = {
        {"baseline.jpg", Jpeg::Baseline},     {"progressive.jpg", Jpeg::Progressive},
        {"gray.jpg", Jpeg::Gray},             {"adobe_cmyk.jpg", Jpeg::AdobeCmyk},
        {"plain_cmyk.jpg", Jpeg::PlainCmyk},  {"ycck.jpg", Jpeg::Ycck},
        {"restarts.jpg", Jpeg::Restarts},     {"arithmetic.jpg", Jpeg::Arithmetic},
        {"subsampled.jpg", Jpeg::Subsampled},
    };
    for (const auto& [name, kind] : kinds)
        Write(folder, name, EncodeJpeg(kind));
    // Turned a quarter to the right and to the left.
    Write(folder, "exif_intel.jpg", WithOrientation(EncodeJpeg(Jpeg::Baseline), false, 6));
    Write(folder, "exif_motorola.jpg", WithOrientation(EncodeJpeg(Jpeg::Subsampled), true, 8));
    Write(folder, "many_scans.jpg", ManyScans());
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char*, void (*)(const QDir&)> kinds[] = {
        {"ini", IniSeeds}, {"bmp", BmpSeeds}, {"jpeg", JpegSeeds}};
    for (const auto& [name, make] : kinds) {
        if (!root.mkpath(name)) {
            std::fprintf(stderr, "cannot make %s\n", name);
            return 1;
        }
        make(QDir(root.filePath(name)));
    }
    return 0;
}
