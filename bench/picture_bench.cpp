// Reading a camera-sized background: our loader against Qt's reader and
// against libjpeg alone, which is as fast as it can get.
#include "pictureloader.h"
#include "ratios.h"
#include "support/jpegwriter.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A smooth colourful gradient with some noise on it, so the file is as
// hard to decode as a photograph, not a flat test card.
QByteArray EncodePhoto()
{
    std::uint32_t seed = 12345;
    return WriteJpeg(kWidth, kHeight, JCS_RGB, 90, {}, [&](int y, JSAMPLE* line) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            line[3 * x] = JSAMPLE(std::clamp(x * 255 / kWidth + noise, 0, 255));
            line[3 * x + 1] = JSAMPLE(std::clamp(y * 255 / kHeight + noise, 0, 255));
            const int blue = 255 - (x + y) * 255 / (kWidth + kHeight);
            line[3 * x + 2] = JSAMPLE(std::clamp(blue + noise, 0, 255));
        }
    });
}

struct Photo {
    QTemporaryDir folder;
    QString path = folder.filePath("photo.jpg");
    QByteArray bytes = EncodePhoto();

    Photo()
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
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
BENCHMARK(BM_LoadPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

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
BENCHMARK(BM_QtReader)->Unit(benchmark::kMillisecond)->UseRealTime();

// The file's bytes already in memory and the pixels going to a buffer that
// is reused: only the decoding itself is left.
void BM_BareLibjpeg(benchmark::State& state)
{
    const QByteArray& bytes = ThePhoto().bytes;
    std::vector<uchar> pixels(std::size_t{kWidth} * kHeight * 4);
    for (auto _ : state) {
        jpeg_decompress_struct info{};
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGRA;
        jpeg_start_decompress(&info);
        while (info.output_scanline < info.output_height) {
            JSAMPROW line = pixels.data() + std::size_t{info.output_scanline} * kWidth * 4;
            jpeg_read_scanlines(&info, &line, 1);
        }
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_BareLibjpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunAndCompare(argc, argv, "BM_LoadPicture", {{"BM_BareLibjpeg", 1.05}, {"BM_QtReader", 1.0}});
}
