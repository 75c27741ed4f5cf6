// Reading a camera-sized background: our loader against Qt's reader and
// against libjpeg alone, which is as fast as it can get; the chooser's
// preview of it, first and from the thumbnail cache, against the full
// picture; and what memory stays taken once pictures are let go.
#include "pictureloader.h"
#include "ratios.h"
#include "support/bmpwriter.h"
#include "support/heifwriter.h"
#include "thumbnailcache.h"
#include "support/jpegwriter.h"
#include "support/pngchunks.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int DrawnWidth = 6000;
constexpr int DrawnHeight = 4000;

// Each picture is timed on its own, ten times, and the fastest counts, so
// that other work on the machine does not pass for the one measured.
void TimedAlone(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(10);
}

// About the size of the chooser's preview area.
constexpr QSize PreviewBox(206, 170);

// A smooth colourful gradient with some noise on it, so the file is as
// hard to decode as a photograph, not a flat test card; each seed gives
// another photograph.
QByteArray EncodePhoto(std::uint32_t seed)
{
    return WriteJpeg(DrawnWidth, DrawnHeight, JCS_RGB, 90, {}, [&](int y, JSAMPLE* line) {
        for (int x = 0; x < DrawnWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            line[3 * x] = JSAMPLE(std::clamp(x * 255 / DrawnWidth + noise, 0, 255));
            line[3 * x + 1] = JSAMPLE(std::clamp(y * 255 / DrawnHeight + noise, 0, 255));
            const int blue = 255 - (x + y) * 255 / (DrawnWidth + DrawnHeight);
            line[3 * x + 2] = JSAMPLE(std::clamp(blue + noise, 0, 255));
        }
    });
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The same photograph as an iPhone stores it, with a Display P3 profile in
// an APP2 marker, as jpeg_write_icc_profile writes one that fits in it.
QByteArray WithDisplayP3(QByteArray jpeg)
{
    QByteArray marker = QByteArray("\xFF\xE2\0\0ICC_PROFILE\0\1\1", 18) + QColorSpace(QColorSpace::DisplayP3).iccProfile();
    qToBigEndian<quint16>(quint16(marker.size() - 2), marker.data() + 2);
    return jpeg.insert(2, marker);
}

struct Photo {
    QTemporaryDir folder;
    QString path = folder.filePath("photo.jpg");
    QString displayP3Path = folder.filePath("p3.jpg");

    Photo()
    {
        const QByteArray photo = EncodePhoto(12345);
        Write(path, photo);
        Write(displayP3Path, WithDisplayP3(photo));
    }
};

const Photo& ThePhoto()
{
    static const Photo photo;
    return photo;
}

void BM_LoadPicture(benchmark::State& state)
{
    const QString& path = ThePhoto().path;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadPicture(path));
}
BENCHMARK(BM_LoadPicture)->Apply(TimedAlone);

// The room a 1024 x 768 screen leaves the picture beside the window's bars.
constexpr QSize SmallScreenRoom(1008, 660);

// A picture loaded for that room.
void InRoom(benchmark::State& state, const QString& path)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadPicture(path, SmallScreenRoom));
}

void BM_LoadPictureInRoom(benchmark::State& state)
{
    InRoom(state, ThePhoto().path);
}
BENCHMARK(BM_LoadPictureInRoom)->Apply(TimedAlone);

void BM_LoadDisplayP3PictureInRoom(benchmark::State& state)
{
    InRoom(state, ThePhoto().displayP3Path);
}
BENCHMARK(BM_LoadDisplayP3PictureInRoom)->Apply(TimedAlone);

// A PNG whose 139 text chunks, of 7 kB each in the file, would inflate to
// 7 MB each, as the tester's 1 MB file did.
QByteArray TextChunkPng()
{
    QImage picture(1000, 750, QImage::Format_RGB32);
    picture.fill(qRgb(40, 120, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "png"))
        std::abort();
    return WithTextChunks(png, 139, 7 << 20);
}

// Hostile and awkward files, which must cost no more than a photograph: a
// progressive JPEG of few bytes a scan and very many scans, refused; one
// of the largest size with a legal number of scans; a BMP compressed at
// its worst, read; and a PNG full of text.
struct AwkwardFiles {
    QTemporaryDir folder;
    QString manyScans = folder.filePath("scans.jpg");
    QString wideScans = folder.filePath("wide_scans.jpg");
    QString runs = folder.filePath("runs.bmp");
    QString text = folder.filePath("text.png");

    AwkwardFiles()
    {
        Write(manyScans, ManyScanJpeg(8000, 8000, 20000));
        Write(wideScans, ManyScanJpeg(16384, 8000, 199));
        Write(runs, Rle8Bmp(4096, 4096));
        Write(text, TextChunkPng());
    }
};

const AwkwardFiles& TheAwkwardFiles()
{
    static const AwkwardFiles files;
    return files;
}

void BM_ManyScanJpeg(benchmark::State& state)
{
    const QString& path = TheAwkwardFiles().manyScans;
    for (auto _ : state) {
        try {
            LoadPicture(path);
            state.SkipWithError("the many-scan JPEG was not refused");
        } catch (const PictureError&) {
        }
    }
}
BENCHMARK(BM_ManyScanJpeg)->Apply(TimedAlone);

// Shown small, as any picture this large is.
void BM_WideManyScanJpeg(benchmark::State& state)
{
    const QString& path = TheAwkwardFiles().wideScans;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(LoadPicture(path, SmallScreenRoom));
        } catch (const PictureError&) {
        }
    }
}
BENCHMARK(BM_WideManyScanJpeg)->Apply(TimedAlone);

void BM_TextChunkPng(benchmark::State& state)
{
    const QString& path = TheAwkwardFiles().text;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadPicture(path));
}
BENCHMARK(BM_TextChunkPng)->Apply(TimedAlone);

void BM_Rle8Bmp(benchmark::State& state)
{
    const QString& path = TheAwkwardFiles().runs;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadPicture(path));
}
BENCHMARK(BM_Rle8Bmp)->Apply(TimedAlone);

void BM_QtReader(benchmark::State& state)
{
    if (!QImageReader::supportedImageFormats().contains("jpeg")) {
        state.SkipWithError("Qt has no JPEG plugin");
        return;
    }
    const QString& path = ThePhoto().path;
    for (auto _ : state) {
        QImageReader reader(path, "jpeg");
        benchmark::DoNotOptimize(reader.read());
    }
}
BENCHMARK(BM_QtReader)->Apply(TimedAlone);

// libjpeg reading the file itself into fresh memory for each picture, as a
// program that keeps nothing between pictures must: what is left is the
// decoding and the memory a picture needs, nothing of the loader's own; at
// `eighths` of the picture's size, as libjpeg scales while it decodes.
void BareLibjpeg(benchmark::State& state, unsigned eighths)
{
    const QByteArray path = QFile::encodeName(ThePhoto().path);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.constData(), "rb");
        if (!file)
            std::abort();
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGRA;
        info.scale_num = eighths;
        info.scale_denom = 8;
        jpeg_start_decompress(&info);
        const std::size_t stride = std::size_t{info.output_width} * 4;
        const auto pixels = std::make_unique_for_overwrite<uchar[]>(stride * info.output_height);
        // Every line offered at once, so libjpeg writes each straight to
        // its place.
        std::vector<JSAMPROW> lines(info.output_height);
        for (std::size_t y = 0; y < lines.size(); ++y)
            lines[y] = pixels.get() + y * stride;
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, lines.data() + info.output_scanline, info.output_height - info.output_scanline);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void BM_BareLibjpeg(benchmark::State& state)
{
    BareLibjpeg(state, 8);
}
BENCHMARK(BM_BareLibjpeg)->Apply(TimedAlone);

// What a 1024 x 768 screen's room takes of the photo, and a preview.
void BM_BareLibjpegAtAQuarter(benchmark::State& state)
{
    BareLibjpeg(state, 2);
}
BENCHMARK(BM_BareLibjpegAtAQuarter)->Apply(TimedAlone);

void BM_BareLibjpegAtAnEighth(benchmark::State& state)
{
    BareLibjpeg(state, 1);
}
BENCHMARK(BM_BareLibjpegAtAnEighth)->Apply(TimedAlone);

// An iPhone's 12-megapixel photo, as it stores it: HEVC with a thumbnail
// of 320 points a side.
struct HeicPhoto {
    QTemporaryDir folder;
    QString path = folder.filePath("IMG_4711.HEIC");

    HeicPhoto()
    {
        QImage photo(4032, 3024, QImage::Format_RGB32);
        std::uint32_t seed = 4711;
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int noise = int(seed >> 28) - 8;
                line[x] = qRgb(std::clamp(x * 255 / photo.width() + noise, 0, 255),
                               std::clamp(y * 255 / photo.height() + noise, 0, 255),
                               std::clamp(255 - (x + y) * 255 / (photo.width() + photo.height()) + noise, 0, 255));
            }
        }
        Write(path, WriteHeif(photo, heif_compression_HEVC, 80, heif_orientation_normal, 320, qRgb(90, 140, 60)));
    }
};

const HeicPhoto& TheHeicPhoto()
{
    static const HeicPhoto photo;
    return photo;
}

void BM_HeicInRoom(benchmark::State& state)
{
    InRoom(state, TheHeicPhoto().path);
}
BENCHMARK(BM_HeicInRoom)->Apply(TimedAlone);

// The chooser's preview of a photo with nothing of it in the desktop's
// thumbnail cache.
void FirstPreview(benchmark::State& state, const QString& path)
{
    const ThumbnailCache cache = ThumbnailCache::Desktop();
    QFile::remove(cache.ThumbnailPath(path));
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.Preview(path, PreviewBox));
}

void BM_FirstHeicPreview(benchmark::State& state)
{
    FirstPreview(state, TheHeicPhoto().path);
}
BENCHMARK(BM_FirstHeicPreview)->Apply(TimedAlone);

// libheif decoding the photo's primary picture at full size, with as many
// threads as it takes of itself.
void BM_BareLibheif(benchmark::State& state)
{
    const QByteArray path = QFile::encodeName(TheHeicPhoto().path);
    for (auto _ : state) {
        heif_context* context = heif_context_alloc();
        heif_image_handle* handle = nullptr;
        heif_image* image = nullptr;
        if (heif_context_read_from_file(context, path.constData(), nullptr).code != heif_error_Ok ||
            heif_context_get_primary_image_handle(context, &handle).code != heif_error_Ok ||
            heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr).code !=
                heif_error_Ok)
            std::abort();
        benchmark::DoNotOptimize(heif_image_get_plane_readonly(image, heif_channel_interleaved, nullptr));
        heif_image_release(image);
        heif_image_handle_release(handle);
        heif_context_free(context);
    }
}
BENCHMARK(BM_BareLibheif)->Apply(TimedAlone);

// A figure of the process's memory from its status, in kB: "VmRSS:" what
// is in RAM now, "VmHWM:" the most that ever was.
double MemoryKb(const std::string& figure)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(figure, 0) == 0)
            return std::stod(line.substr(figure.size()));
    std::abort();
}

// How far the PNG full of text raises the peak memory above what the
// process had before, its pixels included, in MiB.
double TextChunkPngPeakMib()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("text.png");
    Write(path, TextChunkPng());
    const double before = MemoryKb("VmHWM:");
    benchmark::DoNotOptimize(LoadPicture(path));
    return (MemoryKb("VmHWM:") - before) / 1024;
}

// The resident memory after ten different photographs were loaded one after
// another, each let go before the next, over that after the first.
double ResidentGrowthOverTenPictures()
{
    QTemporaryDir folder;
    constexpr int PictureCount = 10;
    for (int i = 0; i < PictureCount; ++i)
        Write(folder.filePath(QString("%1.jpg").arg(i)), EncodePhoto(std::uint32_t(i)));
    double afterFirst = 0;
    for (int i = 0; i < PictureCount; ++i) {
        benchmark::DoNotOptimize(LoadPicture(folder.filePath(QString("%1.jpg").arg(i))));
        if (i == 0)
            afterFirst = MemoryKb("VmRSS:");
    }
    return MemoryKb("VmRSS:") / afterFirst;
}

// The chooser's preview of the photo the first time, with nothing in the
// desktop's thumbnail cache, and later, from the thumbnail then kept.
void BM_FirstPreview(benchmark::State& state)
{
    FirstPreview(state, ThePhoto().path);
}
BENCHMARK(BM_FirstPreview)->Apply(TimedAlone);

void BM_CachedPreview(benchmark::State& state)
{
    const ThumbnailCache cache = ThumbnailCache::Desktop();
    const QString& path = ThePhoto().path;
    benchmark::DoNotOptimize(cache.Preview(path, PreviewBox));
    for (auto _ : state)
        benchmark::DoNotOptimize(cache.Preview(path, PreviewBox));
}
BENCHMARK(BM_CachedPreview)->Apply(TimedAlone);

} // namespace

int main(int argc, char** argv)
{
    // For the start-up benchmark, which shows the same photograph.
    if (argc == 3 && std::string(argv[1]) == "--write-photo") {
        Write(QString::fromLocal8Bit(argv[2]), EncodePhoto(12345));
        return 0;
    }
    // The previews' thumbnails go to a cache of the run's own.
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
    // First, while nothing else has taken memory yet.
    const double textPeak = TextChunkPngPeakMib();
    const double growth = ResidentGrowthOverTenPictures();
    std::map<std::string, double> fastest;
    if (!RunBenchmarks(argc, argv, fastest))
        return 1;
    const auto compare = [&](const std::string& measured, const std::string& baseline, double atMost) {
        PrintRatio(fastest, ("BM_" + measured).c_str(), ("BM_" + baseline).c_str(), atMost);
    };
    compare("LoadPicture", "BareLibjpeg", 1.05);
    compare("LoadPicture", "QtReader", 1.0);
    compare("FirstPreview", "LoadPicture", 0.45);
    compare("CachedPreview", "LoadPicture", 0.02);
    compare("LoadPictureInRoom", "BareLibjpegAtAQuarter", 1.15);
    compare("FirstPreview", "BareLibjpegAtAnEighth", 1.2);
    compare("LoadDisplayP3PictureInRoom", "LoadPictureInRoom", 1.1);
    if (fastest.count("BM_ManyScanJpeg") && fastest.count("BM_Rle8Bmp") && fastest.count("BM_LoadPicture"))
        std::printf("slower of many-scan JPEG refused and RLE8 BMP read / LoadPicture: %.3f (goal: at most 2.00)\n",
                    std::max(fastest["BM_ManyScanJpeg"], fastest["BM_Rle8Bmp"]) / fastest["BM_LoadPicture"]);
    compare("TextChunkPng", "LoadPicture", 1.0);
    compare("WideManyScanJpeg", "LoadPicture", 4.0);
    compare("HeicInRoom", "BareLibheif", 1.1);
    compare("FirstHeicPreview", "BareLibheif", 0.05);
    std::printf("Peak memory the PNG full of text adds: %.1f MiB (goal: at most 64 MiB)\n", textPeak);
    std::printf("Resident memory after ten 24-megapixel pictures / after the first: %.3f (goal: at most 1.10)\n",
                growth);
    return 0;
}
