#include "pictureloader.h"
#include "thumbnailcache.h"
#include "support/bmpwriter.h"
#include "support/files.h"
#include "support/gifwriter.h"
#include "support/heifwriter.h"
#include "support/jpegwriter.h"
#include "support/pngchunks.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTransform>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <jpeglib.h>
#include <lcms2.h>

// libx265, whose encoder writes the HEIC pictures here, keeps a few
// kilobytes to the end of the program; the sanitizer build's leak check is
// for our code.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace {

// Four flat quadrants meeting on a 16-pixel block edge, in a picture whose
// size is no multiple of the block size: swapped channels, rows or halves
// show, and the samples taken in the middle of blocks are free of JPEG's
// blurring at the edges.
constexpr int DrawnWidth = 67, DrawnHeight = 35;
constexpr QRgb QuadrantColours[] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(20, 40, 128),
                               qRgb(240, 230, 60)};
constexpr QPoint Samples[] = {{16, 8}, {48, 8}, {16, 24}, {48, 24}};

QRgb Drawn(int x, int y) { return QuadrantColours[(x >= 32) + 2 * (y >= 16)]; }

enum class Kind { Rgb, Gray, Progressive, Restarts, ScanPerComponent, AdobeCmyk, PlainCmyk, AdobeYcck };

// CMYK as Adobe's programs write it, inverted, unless plain is asked for.
void ToCmyk(QRgb rgb, uchar* out, bool plain)
{
    const int k = 255 - std::max({qRed(rgb), qGreen(rgb), qBlue(rgb)});
    const int white = 255 - k;
    const int inks[] = {white - qRed(rgb), white - qGreen(rgb), white - qBlue(rgb)};
    for (int i = 0; i < 3; ++i)
        out[i] = uchar(white ? inks[i] * 255 / white : 0);
    out[3] = uchar(k);
    for (int i = 0; i < 4 && !plain; ++i)
        out[i] = uchar(255 - out[i]);
}

QByteArray EncodeJpeg(Kind kind)
{
    const bool gray = kind == Kind::Gray;
    const bool cmyk = kind == Kind::AdobeCmyk || kind == Kind::PlainCmyk || kind == Kind::AdobeYcck;
    const auto adjust = [kind](jpeg_compress_struct& info) {
        if (kind == Kind::Progressive)
            jpeg_simple_progression(&info);
        if (kind == Kind::Restarts)
            info.restart_interval = 1;
        if (kind == Kind::ScanPerComponent) {
            static const jpeg_scan_info scans[] = {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
            info.scan_info = scans;
            info.num_scans = 3;
        }
        if (kind == Kind::AdobeYcck)
            jpeg_set_colorspace(&info, JCS_YCCK);
        if (kind == Kind::PlainCmyk)
            info.write_Adobe_marker = FALSE;
    };
    return WriteJpeg(DrawnWidth, DrawnHeight, gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB, 95, adjust,
                     [&](int y, JSAMPLE* line) {
                         for (int x = 0; x < DrawnWidth; ++x) {
                             const QRgb rgb = Drawn(x, y);
                             if (gray)
                                 line[x] = JSAMPLE(qGray(rgb));
                             else if (cmyk)
                                 ToCmyk(rgb, &line[4 * x], kind == Kind::PlainCmyk);
                             else {
                                 line[3 * x] = JSAMPLE(qRed(rgb));
                                 line[3 * x + 1] = JSAMPLE(qGreen(rgb));
                                 line[3 * x + 2] = JSAMPLE(qBlue(rgb));
                             }
                         }
                     });
}

// The same file with other dimensions in its header.
QByteArray ClaimingJpeg(QByteArray jpeg, quint16 width, quint16 height)
{
    // Height and width follow the frame marker, its length and the precision.
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    qToBigEndian(height, jpeg.data() + frame + 5);
    qToBigEndian(width, jpeg.data() + frame + 7);
    return jpeg;
}

QByteArray Bmp(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QByteArray ClaimingBmp(QByteArray bmp, qint32 width, qint32 height)
{
    qToLittleEndian(width, bmp.data() + 18);  // in the info header after the file header
    qToLittleEndian(height, bmp.data() + 22);
    return bmp;
}

// Top half red, bottom half blue.
QByteArray TwoColourGif(int width, int height)
{
    return Gif(width, height, {qRgb(200, 0, 0), qRgb(0, 0, 200)}, [=](int, int y) { return y < height / 2 ? 0 : 1; });
}

// A BMP of headers alone, which describe neither their own size nor
// pixels inside the file.
QByteArray HeadlessBmp()
{
    QByteArray bmp(33, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(33, bmp.data() + 2);
    qToLittleEndian<quint32>(1000, bmp.data() + 10);  // where the pixels would begin
    return ClaimingBmp(bmp, 640, 400);
}

class PictureLoader : public testing::Test {
protected:
    QTemporaryDir dir;

    QString Put(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        WriteFile(path, bytes);
        return path;
    }

    // The message of the error LoadPicture throws, empty when it throws none;
    // a preview at full size must fail alike.
    static std::string ErrorOf(const QString& path)
    {
        std::string errors[2];
        for (int preview : {0, 1}) {
            try {
                preview ? LoadPreview(path, QSize(16384, 16384)) : LoadPicture(path);
            } catch (const PictureError& error) {
                errors[preview] = error.what();
            }
        }
        EXPECT_EQ(errors[0], errors[1]) << path.toStdString();
        return errors[0];
    }
};

QImage Quadrants()
{
    QImage image(DrawnWidth, DrawnHeight, QImage::Format_RGB32);
    for (int y = 0; y < DrawnHeight; ++y)
        for (int x = 0; x < DrawnWidth; ++x)
            image.setPixel(x, y, Drawn(x, y));
    return image;
}

void ExpectOpaqueRgb32(const QImage& image)
{
    ASSERT_EQ(image.format(), QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(DrawnWidth, DrawnHeight));
    for (int y = 0; y < DrawnHeight; ++y)
        for (int x = 0; x < DrawnWidth; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
}

TEST_F(PictureLoader, DecodesEveryKindOfJpegToItsColours)
{
    ASSERT_TRUE(EncodeJpeg(Kind::Progressive).contains("\xFF\xC2"));
    ASSERT_TRUE(EncodeJpeg(Kind::Restarts).contains("\xFF\xD0"));
    ASSERT_EQ(EncodeJpeg(Kind::ScanPerComponent).count("\xFF\xDA"), 3);
    const QByteArray rgb = EncodeJpeg(Kind::Rgb), progressive = EncodeJpeg(Kind::Progressive);
    ASSERT_TRUE(rgb.endsWith("\xFF\xD9") && progressive.endsWith("\xFF\xD9"));
    const struct {
        const char* name;
        QByteArray bytes;
        bool gray = false;
    } cases[] = {
        {"farbe.jpg", rgb},
        {"Blätter_groß.jpg", rgb},
        {"GROSS.JPG", rgb},
        {"jpeg_als.bmp", rgb},  // read as what it is
        {"jpeg_als.PNG", rgb},
        // Stray bytes between markers leave the pixels whole, so they pass.
        {"zusatzbytes.jpg", QByteArray(rgb).insert(rgb.indexOf("\xFF\xDA"), "abc")},
        {"grau.jpeg", EncodeJpeg(Kind::Gray), true},
        {"progressiv.JPEG", progressive},
        {"neustart.jpg", EncodeJpeg(Kind::Restarts)},
        {"je_farbe_ein_scan.jpg", EncodeJpeg(Kind::ScanPerComponent)},
        // Files that end early or in junk, as copies and downloads do, but
        // hold all the image data.
        {"ohne_ende.jpg", rgb.chopped(2)},
        {"ohne_ende_progressiv.jpg", progressive.chopped(2)},
        {"nullen_progressiv.jpg", progressive.chopped(2) + QByteArray(1000, '\0')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = LoadPicture(Put(QString::fromUtf8(c.name), c.bytes));
        ExpectOpaqueRgb32(image);
        for (QPoint at : Samples) {
            const QRgb drawn = Drawn(at.x(), at.y()), got = image.pixel(at);
            const int gray = qGray(drawn);
            const QRgb want = c.gray ? qRgb(gray, gray, gray) : drawn;
            const auto off = [](int a, int b) { return std::abs(a - b); };
            EXPECT_LE(std::max({off(qRed(want), qRed(got)), off(qGreen(want), qGreen(got)),
                                off(qBlue(want), qBlue(got))}),
                      6)
                << at.x() << "," << at.y() << ": " << std::hex << got;
        }
    }
}

TEST_F(PictureLoader, ReadsBmpsOfAnyDepthExactly)
{
    const QImage drawn = Quadrants();
    for (const QImage& source : {drawn, drawn.convertToFormat(QImage::Format_Indexed8)}) {
        for (const char* name : {"bild.bmp", "BILD.BMP"}) {
            SCOPED_TRACE(name);
            const QImage image = LoadPicture(Put(name, Bmp(source)));
            ExpectOpaqueRgb32(image);
            EXPECT_EQ(image, drawn);
        }
    }
}

TEST_F(PictureLoader, ReadsBmpsStoredTopDown)
{
    // The same picture with its lines stored top first, as the negative
    // height in the header says.
    QByteArray bmp = Bmp(Quadrants());
    const qint32 offset = qFromLittleEndian<qint32>(bmp.constData() + 10);
    const int stride = int((bmp.size() - offset) / DrawnHeight);
    QByteArray topDown = bmp.left(offset);
    for (int row = DrawnHeight - 1; row >= 0; --row)
        topDown += bmp.mid(offset + row * stride, stride);
    const QImage image = LoadPicture(Put("oben.bmp", ClaimingBmp(topDown, DrawnWidth, -DrawnHeight)));
    ExpectOpaqueRgb32(image);
    EXPECT_EQ(image, Quadrants());
}

TEST_F(PictureLoader, RefusesBrokenAndOversizedFilesNamingThem)
{
    const std::string unreadable = "kann nicht gelesen werden", tooLarge = "ist zu groß";
    const QByteArray jpeg = EncodeJpeg(Kind::Rgb), progressive = EncodeJpeg(Kind::Progressive);
    const QByteArray separate = EncodeJpeg(Kind::ScanPerComponent);
    QByteArray garbage(4000, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    const QByteArray bmp = Bmp(Quadrants()), gif = TwoColourGif(64, 64);
    ASSERT_TRUE(QDir(dir.path()).mkdir("ordner.jpg"));

    const struct {
        const char* name;
        QByteArray bytes;
        const std::string& says;
    } cases[] = {
        {"halb.jpg", jpeg.left(jpeg.size() / 2), unreadable},
        {"halb_progressiv.jpg", progressive.left(progressive.size() / 2), unreadable},
        {"kaputt_Bär.jpg", jpeg.left(jpeg.size() - 40), unreadable},
        // Cut off where a scan begins: the scans before it are whole, but
        // the picture is not.
        {"ohne_letzten_scan_progressiv.jpg", progressive.left(progressive.lastIndexOf("\xFF\xDA")), unreadable},
        {"ohne_letzten_scan.jpg", separate.left(separate.lastIndexOf("\xFF\xDA")), unreadable},
        {"rauschen.jpg", garbage, unreadable},
        {"rauschen.bmp", garbage, unreadable},
        {"leer.jpg", "", unreadable},
        {"leer.bmp", "", unreadable},
        {"jpeg_als.txt", jpeg, unreadable},  // a kind of file the game does not show
        {"jpeg_ohne_endung", jpeg, unreadable},
        {"rauschen.png", garbage, unreadable},
        {"halb.bmp", bmp.left(bmp.size() * 2 / 3), unreadable},  // Qt alone would leave the rest to chance
        {"kopf_ohne_bild.bmp", HeadlessBmp(), unreadable},
        {"halb.gif", gif.left(gif.size() / 2), unreadable},  // Qt alone would show the rest black
        // A frame larger than its screen, which Qt cuts to the screen.
        {"rahmen.gif", QByteArray("GIF89a\1\0\1\0\x80\0\0\0\0\0\xFF\xFF\xFF,\0\0\0\0\xFF\xFF\xFF\xFF\0\2\2\x4C\1\0;", 35), unreadable},
        {"riesig.bmp", ClaimingBmp(bmp, 100000, 100000), unreadable},  // Qt finds the header absurd
        {"breit.bmp", ClaimingBmp(bmp, 16385, 1), tooLarge},
        {"viele_punkte.bmp", ClaimingBmp(bmp, 9000, 9000), tooLarge},
        {"riesig.jpg", ClaimingJpeg(jpeg, 60000, 60000), tooLarge},
        {"breit.jpg", ClaimingJpeg(jpeg, 16385, 4), tooLarge},
        {"viele_punkte.jpg", ClaimingJpeg(jpeg, 8192, 8193), tooLarge},
        // Just within the limits, so only the missing data is wrong with them.
        {"gerade_breit.jpg", ClaimingJpeg(jpeg, 16384, 4), unreadable},
        {"gerade_genug.jpg", ClaimingJpeg(jpeg, 8192, 8192), unreadable},
        // Each scan is decoded over the whole picture.
        {"viele_scans.jpg", ManyScanJpeg(4000, 4000, 300), unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Put(QString::fromUtf8(c.name), c.bytes);
        const std::string error = ErrorOf(path);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        EXPECT_NE(error.find(path.toStdString()), std::string::npos) << error;
    }
    // A pipe would block a reader for ever, a device never end.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("rohr.jpg")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("geraet.bmp")));
    for (const char* name : {"ordner.jpg", "rohr.jpg", "geraet.bmp", "fehlt.jpg", "fehlt.bmp"})
        EXPECT_NE(ErrorOf(dir.filePath(name)).find(unreadable), std::string::npos) << name;
    EXPECT_THROW(PictureSize(dir.filePath("rohr.jpg")), PictureError);  // the picture dialog's size read

    // A good picture in a sparse file larger than any picture may be: told
    // by its bytes, not by its pixels.
    for (const auto& [name, bytes] : {std::pair{"riesige_datei.jpg", jpeg}, std::pair{"riesige_datei.bmp", bmp}}) {
        QFile huge(Put(name, bytes));
        ASSERT_TRUE(huge.resize((qint64{256} << 20) + 1));
        const std::string error = ErrorOf(huge.fileName());
        EXPECT_NE(error.find("Datei"), std::string::npos) << error;
        EXPECT_EQ(error.find("Megapixel"), std::string::npos) << error;
    }
    // Many scans of a small picture are little work.
    EXPECT_EQ(ErrorOf(Put("genug_scans.jpg", ManyScanJpeg(64, 64, 200))), "");
}

TEST_F(PictureLoader, ReadsACompressedBmpWholeAndAsPreview)
{
    // Every pixel a run of its own, so the file is twice the picture.
    const QString path = Put("lauflaenge.bmp", Rle8Bmp(4096, 4096));
    const QImage image = LoadPicture(path);
    ASSERT_EQ(image.size(), QSize(4096, 4096));
    // Lines are stored bottom up.
    EXPECT_EQ(image.pixel(0, 4095), qRgb(0, 0, 0));
    const int gray = (100 + 4095) & 0xFF;
    EXPECT_EQ(image.pixel(100, 0), qRgb(gray, gray, gray));
    EXPECT_EQ(LoadPreview(path, QSize(200, 200)).size(), QSize(512, 512));
}

TEST_F(PictureLoader, ReadsRunLengthBmpsByTheirCodes)
{
    const std::vector<quint32> palette = {qRgb(10, 20, 30), qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    const auto codes = [](std::initializer_list<int> bytes) {
        QByteArray out;
        for (int byte : bytes)
            out.append(char(byte));
        return out;
    };
    struct Case {
        const char* name;
        int bits;
        QByteArray runs;
        const char* shown[3];  // palette indices, the top line first
    };
    const Case cases[] = {
        {"runs.bmp", 8, codes({6, 1, 0, 0, 3, 2, 3, 3, 0, 0, 6, 3, 0, 1}), {"333333", "222333", "111111"}},
        // A stretch of three pixels as they are, padded to four bytes; a
        // jump over pixels, which keep the palette's first colour; lines
        // left early, and a picture without its end code.
        {"stretch.bmp", 8, codes({0, 3, 1, 2, 3, 0, 0, 2, 2, 1, 1, 1, 0, 0, 2, 2, 0, 0}),
         {"220000", "000001", "123000"}},
        {"vier_bit.bmp", 4, codes({5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 0, 6, 0x33, 0, 1}),
         {"333333", "312000", "121210"}},
        {"zu_lang.bmp", 8, codes({9, 1, 0, 1}), {"000000", "000000", "111111"}},  // cut at the line's end
    };
    for (const Case& c : cases) {
        const QImage image = LoadPicture(Put(c.name, RleBmp(c.bits, 6, 3, palette, c.runs)));
        ASSERT_EQ(image.size(), QSize(6, 3)) << c.name;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(image.pixel(x, y), palette[c.shown[y][x] - '0']) << c.name << " " << x << "," << y;
    }
    // Cut off anywhere before its last line ends, it is refused.
    const QByteArray whole = RleBmp(8, 6, 3, palette, codes({6, 1, 0, 0, 0, 4, 1, 2, 3, 0, 2, 2, 0, 0, 6, 3, 0, 1}));
    EXPECT_EQ(ErrorOf(Put("ganz.bmp", whole)), "");
    for (qsizetype cut : {1, 2, 4})
        EXPECT_NE(ErrorOf(Put("abgeschnitten.bmp", whole.chopped(cut))), "") << cut;
    EXPECT_NE(ErrorOf(Put("ohne_palette.bmp", whole.left(60))), "");
}

TEST_F(PictureLoader, PreviewsAtTheSmallestEighthThatFillsTheBox)
{
    const auto jpeg = [](int width, int height) {
        return WriteJpeg(width, height, JCS_GRAYSCALE, 90, {}, [=](int, JSAMPLE* line) { std::fill_n(line, width, 90); });
    };
    const auto bmp = [](int width, int height) { return Bmp(Quadrants().scaled(width, height)); };
    const struct {
        const char* name;
        QByteArray bytes;
        QSize preview;
    } cases[] = {
        // As wide as the box at least: an eighth would be 80 wide.
        {"quer.jpg", jpeg(640, 400), {160, 100}},
        {"quer.bmp", bmp(640, 400), {160, 100}},
        // Taller than wide, so only the height counts.
        {"hoch.jpg", jpeg(400, 640), {50, 80}},
        {"hoch.bmp", bmp(400, 640), {50, 80}},
        // Smaller than the box: left as it is.
        {"klein.jpg", jpeg(90, 60), {90, 60}},
        {"klein.bmp", bmp(90, 60), {90, 60}},
    };
    for (const auto& c : cases) {
        const QImage preview = LoadPreview(Put(c.name, c.bytes), QSize(100, 80));
        EXPECT_EQ(preview.format(), QImage::Format_RGB32) << c.name;
        EXPECT_EQ(preview.size(), c.preview) << c.name;
    }
}

}  // namespace

namespace {

// An EXIF block naming `orientation`, as an APP1 marker, in either byte order.
QByteArray ExifMarker(int orientation, bool little)
{
    QByteArray block("Exif\0\0", 6);
    const auto put = [&](quint32 value, int bytes) {
        char at[4];
        if (bytes == 2)
            little ? qToLittleEndian<quint16>(quint16(value), at) : qToBigEndian<quint16>(quint16(value), at);
        else
            little ? qToLittleEndian<quint32>(value, at) : qToBigEndian<quint32>(value, at);
        block.append(at, bytes);
    };
    block += little ? "II" : "MM";
    put(42, 2), put(8, 4);                                      // the first folder of tags follows
    put(1, 2), put(0x0112, 2), put(3, 2), put(1, 4), put(orientation, 2), put(0, 2);  // one short
    put(0, 4);                                                  // no further folder
    QByteArray marker("\xFF\xE1\0\0", 4);
    qToBigEndian<quint16>(quint16(block.size() + 2), marker.data() + 2);
    return marker + block;
}

TEST_F(PictureLoader, StandsPhotosUprightByTheirOrientation)
{
    // Where the stored picture's first row and first column lie in the
    // upright one, as EXIF defines each orientation: stored (c, r) is
    // upright (x, y).
    const int w = DrawnWidth, h = DrawnHeight;
    const std::function<QPoint(int c, int r)> upright[] = {
        [](int c, int r) { return QPoint(c, r); },
        [=](int c, int r) { return QPoint(w - 1 - c, r); },
        [=](int c, int r) { return QPoint(w - 1 - c, h - 1 - r); },
        [=](int c, int r) { return QPoint(c, h - 1 - r); },
        [](int c, int r) { return QPoint(r, c); },
        [=](int c, int r) { return QPoint(w - 1 - r, c); },
        [=](int c, int r) { return QPoint(w - 1 - r, h - 1 - c); },
        [=](int c, int r) { return QPoint(r, h - 1 - c); },
    };
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const bool turned = orientation >= 5;
        const int storedWidth = turned ? h : w;
        QByteArray jpeg = WriteJpeg(storedWidth, turned ? w : h, JCS_RGB, 95, {}, [&](int r, JSAMPLE* line) {
            for (int c = 0; c < storedWidth; ++c) {
                const QPoint at = upright[orientation - 1](c, r);
                const QRgb rgb = Drawn(at.x(), at.y());
                line[3 * c] = JSAMPLE(qRed(rgb)), line[3 * c + 1] = JSAMPLE(qGreen(rgb)), line[3 * c + 2] = JSAMPLE(qBlue(rgb));
            }
        });
        jpeg.insert(2, ExifMarker(orientation, orientation % 2));
        const QString path = Put(QString("foto%1.jpg").arg(orientation), jpeg);
        const QImage image = LoadPicture(path);
        ExpectOpaqueRgb32(image);
        for (QPoint at : Samples)
            EXPECT_LE(std::abs(qRed(image.pixel(at)) - qRed(Drawn(at.x(), at.y()))) + std::abs(qBlue(image.pixel(at)) - qBlue(Drawn(at.x(), at.y()))), 12)
                << at.x() << "," << at.y();
        EXPECT_EQ(LoadPreview(path, QSize(17, 17)).size(), QSize(17, 9));
    }
}

// A GIF of two 2 x 2 frames, the first red (200, 0, 0), the second blue.
const QByteArray TwoFrameGif(
    "GIF89a\x02\0\x02\0\xF0\0\0\xC8\0\0\0\0\xC8"
    "\x2C\0\0\0\0\x02\0\x02\0\0\x08\x0B\0\x01\0\x04\0\x10\0\x40\0\x01\x01\0"
    "\x2C\0\0\0\0\x02\0\x02\0\0\x08\x0B\0\x03\0\x0C\0\x30\0\xC0\0\x01\x01\0;",
    68);

TEST_F(PictureLoader, ReadsTheOtherUsualKinds)
{
    const QImage drawn = Quadrants();
    for (const char* format : {"png", "webp"}) {
        SCOPED_TRACE(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(drawn.save(&buffer, format, 100));
        ASSERT_TRUE(PictureNameFilters().contains(QString("*.") + format));
        const QImage image = LoadPicture(Put(QString("bild.") + format, bytes));
        ExpectOpaqueRgb32(image);
        for (QPoint at : Samples)
            EXPECT_EQ(image.pixel(at), drawn.pixel(at));
    }
    const QImage gif = LoadPicture(Put("zwei.gif", TwoFrameGif));
    EXPECT_EQ(gif.size(), QSize(2, 2));
    EXPECT_EQ(gif.pixel(1, 1), qRgb(200, 0, 0));
    const QImage halves = LoadPicture(Put("haelften.gif", TwoColourGif(64, 64)));
    EXPECT_EQ(halves.pixel(10, 31), qRgb(200, 0, 0));
    EXPECT_EQ(halves.pixel(63, 63), qRgb(0, 0, 200));
}

// Text that inflates to 280 MB in a PNG of 300 kB, and XMP in an extended
// WebP: shown without them.
TEST_F(PictureLoader, ShowsPicturesWithoutWhatTheyCarryBesides)
{
    QByteArray png, webp;
    for (auto [format, bytes] : {std::pair{"png", &png}, std::pair{"webp", &webp}}) {
        QBuffer buffer(bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(Quadrants().save(&buffer, format, 100));
    }
    QByteArray extended("VP8X\x0A\0\0\0\x04\0\0\0", 12);  // carries XMP
    for (int side : {DrawnWidth - 1, DrawnHeight - 1})
        extended.append(char(side)).append(2, '\0');
    extended += webp.mid(12) + "XMP " + QByteArray(4, '\0') + QByteArray(1 << 20, 'x');
    qToLittleEndian<quint32>(1 << 20, extended.data() + extended.size() - (1 << 20) - 4);
    webp = "RIFF" + QByteArray(4, '\0') + "WEBP" + extended;
    qToLittleEndian<quint32>(quint32(webp.size() - 8), webp.data() + 4);
    for (const QString& path : {Put("text.png", WithTextChunks(png, 40, 7 << 20)), Put("xmp.webp", webp)}) {
        const QImage image = LoadPicture(path);
        ExpectOpaqueRgb32(image);
        EXPECT_EQ(image.pixel(Samples[3]), Drawn(Samples[3].x(), Samples[3].y())) << path.toStdString();
        EXPECT_TRUE(image.textKeys().isEmpty());
    }
}

TEST_F(PictureLoader, DecodesABigPhotoSmallForItsRoom)
{
    // 72 megapixels: too many to hold, but not to show in a smaller room.
    const QString path = Put("gross.jpg", WriteJpeg(9000, 8000, JCS_GRAYSCALE, 50, {}, [](int, JSAMPLE* line) {
                                 std::fill_n(line, 9000, 90);
                             }));
    EXPECT_NE(ErrorOf(path).find("Megapixel"), std::string::npos);
    EXPECT_EQ(LoadPicture(path, QSize(1000, 800)).size(), QSize(900, 800));
}

// Profiles made as phones and cameras describe their colours: Display P3
// (P3 primaries, D65, the sRGB curve) and Adobe RGB (1998).
QByteArray RgbProfile(bool displayP3)
{
    const cmsCIExyY d65{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE p3{{0.680, 0.320, 1}, {0.265, 0.690, 1}, {0.150, 0.060, 1}};
    const cmsCIExyYTRIPLE adobe{{0.640, 0.330, 1}, {0.210, 0.710, 1}, {0.150, 0.060, 1}};
    const double srgbCurve[] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    cmsToneCurve* curve = displayP3 ? cmsBuildParametricToneCurve(nullptr, 4, srgbCurve) : cmsBuildGamma(nullptr, 563.0 / 256);
    cmsToneCurve* curves[] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&d65, displayP3 ? &p3 : &adobe, curves);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray icc(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, icc.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return icc;
}

// sRGB `rgb` in the colours of `icc`, as one byte a channel.
std::array<uchar, 4> ConvertedFromSrgb(QRgb rgb, const QByteArray& icc, cmsUInt32Number format)
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile(), to = cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size()));
    cmsHTRANSFORM transform = cmsCreateTransform(srgb, TYPE_RGB_8, to, format, INTENT_RELATIVE_COLORIMETRIC, 0);
    const uchar in[] = {uchar(qRed(rgb)), uchar(qGreen(rgb)), uchar(qBlue(rgb))};
    std::array<uchar, 4> out{};
    cmsDoTransform(transform, in, out.data(), 1);
    cmsDeleteTransform(transform);
    cmsCloseProfile(to);
    cmsCloseProfile(srgb);
    return out;
}

// A JPEG of one colour, with the APP2 marker jpeg_write_icc_profile writes
// for a profile that fits in one. CMYK inks are stored inverted, as in the
// Adobe-marked files libjpeg writes.
QByteArray FlatJpeg(J_COLOR_SPACE space, const std::array<uchar, 4>& samples, const QByteArray& icc)
{
    const int components = space == JCS_CMYK ? 4 : 3;
    QByteArray jpeg = WriteJpeg(64, 48, space, 95, {}, [&](int, JSAMPLE* line) {
        for (int x = 0; x < 64 * components; ++x)
            line[x] = JSAMPLE(components == 4 ? 255 - samples[x % 4] : samples[x % 3]);
    });
    if (!icc.isEmpty()) {
        QByteArray marker = QByteArray("\xFF\xE2\0\0ICC_PROFILE\0\1\1", 18) + icc;
        qToBigEndian<quint16>(quint16(marker.size() - 2), marker.data() + 2);
        jpeg.insert(2, marker);
    }
    return jpeg;
}

int Off(QRgb got, QRgb want)
{
    return std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                     std::abs(qBlue(got) - qBlue(want))});
}

TEST_F(PictureLoader, ShowsPhotosInTheColoursTheirProfileDescribes)
{
    const QRgb red = qRgb(230, 20, 20);
    std::vector<QString> paths;
    for (bool displayP3 : {true, false}) {
        const QByteArray icc = RgbProfile(displayP3);
        const std::array<uchar, 4> stored = ConvertedFromSrgb(red, icc, TYPE_RGB_8);
        paths.push_back(Put(displayP3 ? "p3.jpg" : "adobe.jpg", FlatJpeg(JCS_RGB, stored, icc)));
        QImage png(64, 48, QImage::Format_RGB32);
        png.fill(qRgb(stored[0], stored[1], stored[2]));
        png.setColorSpace(QColorSpace::fromIccProfile(icc));
        ASSERT_TRUE(png.save(dir.filePath(displayP3 ? "p3.png" : "adobe.png")));
        paths.push_back(dir.filePath(displayP3 ? "p3.png" : "adobe.png"));
    }
    const ThumbnailCache cache(dir.filePath("cache"));
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_LE(Off(LoadPicture(path).pixel(32, 24), red), 3);
        EXPECT_LE(Off(LoadPreview(path, QSize(32, 32)).pixel(16, 12), red), 3);
        cache.Preview(path, QSize(32, 32));
        EXPECT_LE(Off(QImage(cache.ThumbnailPath(path)).pixel(32, 24), red), 3);
    }

    // CMYK from a print shop, through its own press profile or, without
    // one, the common one; inverted as Adobe's programs write it or not.
    QFile pressFile("/usr/share/color/icc/ghostscript/ps_cmyk.icc");
    ASSERT_TRUE(pressFile.open(QIODevice::ReadOnly));
    const QByteArray press = pressFile.readAll();
    // A brown that press holds, as its tables come back to it within a few.
    const QRgb brown = qRgb(120, 90, 60);
    const QByteArray printed = FlatJpeg(JCS_CMYK, ConvertedFromSrgb(brown, press, TYPE_CMYK_8), press);
    EXPECT_LE(Off(LoadPicture(Put("druck.jpg", printed)).pixel(32, 24), brown), 6);
    const QImage kinds[] = {LoadPicture(Put("a.jpg", EncodeJpeg(Kind::AdobeCmyk))), LoadPicture(Put("p.jpg", EncodeJpeg(Kind::PlainCmyk))),
                            LoadPicture(Put("y.jpg", EncodeJpeg(Kind::AdobeYcck)))};
    for (const QImage& image : kinds) {
        ExpectOpaqueRgb32(image);
        for (int quadrant = 0; quadrant < 4; ++quadrant) {
            const QRgb got = image.pixel(Samples[quadrant]), want = QuadrantColours[quadrant];
            EXPECT_LE(Off(got, kinds[0].pixel(Samples[quadrant])), 3);
            // Each the same hue: its strongest channel stays the strongest.
            EXPECT_EQ(std::max({qRed(got), qGreen(got), qBlue(got)}) == qRed(got), std::max({qRed(want), qGreen(want), qBlue(want)}) == qRed(want)) << std::hex << got;
        }
    }
    // The tester's grass, which the plain formula showed neon (60, 255, 0).
    const QRgb grass = LoadPicture(Put("gras.jpg", FlatJpeg(JCS_CMYK, {195, 0, 255, 0}, {}))).pixel(32, 24);
    EXPECT_TRUE(qGreen(grass) > qRed(grass) + 40 && qGreen(grass) > qBlue(grass) + 40 && qGreen(grass) < 200) << std::hex << grass;
}

TEST_F(PictureLoader, StandsAPngUprightByItsExif)
{
    // Stored lying on its side, turned a quarter anticlockwise.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Quadrants().transformed(QTransform().rotate(-90)).save(&buffer, "png"));
    const QByteArray tiff = ExifMarker(6, true).mid(4 + 6);
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(tiff.size()), chunk.data());
    chunk += "eXIf" + tiff + QByteArray(4, '\0');
    qToBigEndian(PngCrc(chunk.mid(4, chunk.size() - 8)), chunk.data() + chunk.size() - 4);
    const QString path = Put("hoch.png", png.insert(8 + 25, chunk));  // after the header chunk
    const QImage image = LoadPicture(path);
    ExpectOpaqueRgb32(image);
    for (QPoint at : Samples)
        EXPECT_EQ(image.pixel(at), Drawn(at.x(), at.y()));
    EXPECT_EQ(PictureSize(path), QSize(DrawnWidth, DrawnHeight));
    EXPECT_EQ(LoadPreview(path, QSize(17, 17)).size(), QSize(17, 9));
}

// Both codings the phones use, through libheif's own encoders. The file's
// orientation is libheif's to apply, its thumbnail (in its own colour) the
// preview's when that covers the box.
TEST_F(PictureLoader, ReadsHeicAndAvifUprightInTheirColoursAndPreviewsFromTheirThumbnails)
{
    QImage drawn(256, 128, QImage::Format_RGB32);
    QPainter painter(&drawn);
    for (int i = 0; i < 4; ++i)
        painter.fillRect(i % 2 * 128, i / 2 * 64, 128, 64, QColor(QuadrantColours[i]));
    painter.end();
    const auto near = [](QRgb seen, QRgb wanted) {
        return std::abs(qRed(seen) - qRed(wanted)) + std::abs(qGreen(seen) - qGreen(wanted)) +
                   std::abs(qBlue(seen) - qBlue(wanted)) <= 15;
    };
    const QRgb thumbnailColour = qRgb(250, 0, 250);
    for (auto [compression, name] : {std::pair{heif_compression_HEVC, "bild.HEIC"}, std::pair{heif_compression_AV1, "bild.avif"}}) {
        SCOPED_TRACE(name);
        if (!heif_have_encoder_for_format(compression))
            GTEST_SKIP() << "libheif has no encoder for " << name;
        const QByteArray bytes = WriteHeif(drawn, compression, 90, heif_orientation_normal, 64, thumbnailColour);
        const QString path = Put(name, bytes);
        EXPECT_EQ(PictureSize(path), drawn.size());
        const QImage image = LoadPicture(path);
        ASSERT_EQ(image.format(), QImage::Format_RGB32);
        ASSERT_EQ(image.size(), drawn.size());
        for (QPoint at : {QPoint(64, 32), QPoint(192, 32), QPoint(64, 96), QPoint(192, 96)})
            EXPECT_TRUE(near(image.pixel(at), drawn.pixel(at))) << Qt::hex << image.pixel(at) << " " << drawn.pixel(at);
        EXPECT_EQ(LoadPicture(path, QSize(100, 100)).size(), QSize(100, 50));
        const QImage thumbnail = LoadPreview(path, QSize(60, 60));
        EXPECT_EQ(thumbnail.size(), QSize(64, 32));
        EXPECT_TRUE(near(thumbnail.pixel(10, 10), thumbnailColour));
        EXPECT_TRUE(near(LoadPreview(path, QSize(100, 100)).pixel(10, 10), QuadrantColours[0]));

        const QString turned = Put(QString("gedreht_") + name, WriteHeif(drawn, compression, 90, heif_orientation_rotate_90_cw));
        EXPECT_EQ(PictureSize(turned), QSize(128, 256));
        const QImage upright = LoadPicture(turned);  // turned clockwise: the top left goes to the top right
        EXPECT_TRUE(near(upright.pixel(96, 64), QuadrantColours[0]) && near(upright.pixel(32, 192), QuadrantColours[3]));

        const QString cut = Put(QString("halb_") + name, bytes.left(bytes.size() * 3 / 4));
        EXPECT_EQ(ErrorOf(cut), "Das Bild „" + cut.toStdString() + "“ kann nicht gelesen werden.");
    }
    // An iPhone's Display P3, as an ICC profile or as coded primaries.
    const QRgb red = qRgb(230, 20, 20);
    const std::array<uchar, 4> p3 = ConvertedFromSrgb(red, RgbProfile(true), TYPE_RGB_8);
    QImage stored(64, 48, QImage::Format_RGB32);
    stored.fill(qRgb(p3[0], p3[1], p3[2]));
    const QByteArray icc = RgbProfile(true);
    const auto withIcc = [&](heif_image* image) {
        heif_image_set_raw_color_profile(image, "prof", icc.constData(), size_t(icc.size()));
    };
    const auto coded = [](heif_image* image) {
        heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
        heif_nclx_color_profile_set_color_primaries(nclx, heif_color_primaries_SMPTE_EG_432_1);
        heif_nclx_color_profile_set_transfer_characteristics(nclx, heif_transfer_characteristic_IEC_61966_2_1);
        heif_image_set_nclx_color_profile(image, nclx);
        heif_nclx_color_profile_free(nclx);
    };
    for (const auto& describe : {std::function<void(heif_image*)>(withIcc), std::function<void(heif_image*)>(coded)}) {
        const QString path = Put("p3.heic", WriteHeif(stored, heif_compression_HEVC, 95, heif_orientation_normal, 0, 0, describe));
        const QColor seen = LoadPicture(path).pixelColor(32, 24);
        EXPECT_LE(Off(seen.rgb(), red), 3) << seen.red() << "," << seen.green() << "," << seen.blue();
    }

    for (const char* unknown : {"bild.xpm", "rauschen.heic"}) {
        const QString path = Put(unknown, QByteArray(100, 'x'));
        EXPECT_EQ(ErrorOf(path), "Das Bild „" + path.toStdString() +
                                     "“ kann nicht gelesen werden: das Spiel zeigt Bilder der Arten BMP, JPEG, "
                                     "PNG, GIF, WebP, TIFF, HEIC, HEIF und AVIF.");
    }
    EXPECT_TRUE(PictureNameFilters().contains("*.heif"));
}

}  // namespace
