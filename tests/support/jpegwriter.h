#pragma once

// Writes JPEG files with libjpeg's compressor, as the tests, the benchmarks
// and the fuzz seeds make the pictures they read.
#include <QByteArray>

#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

// `adjust` changes the compressor after its defaults (progression, restarts,
// colour space); `fillRow` writes row y, one sample per component a pixel.
inline QByteArray WriteJpeg(int width, int height, J_COLOR_SPACE space, int quality,
                            const std::function<void(jpeg_compress_struct&)>& adjust,
                            const std::function<void(int y, JSAMPLE* row)>& fillRow)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = space == JCS_GRAYSCALE ? 1 : space == JCS_CMYK ? 4 : 3;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (adjust)
        adjust(info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> line(std::size_t(width) * std::size_t(info.input_components));
    for (int y = 0; y < height; ++y) {
        fillRow(y, line.data());
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// A progressive grey picture whose last scan is repeated until it has
// `scans` of them: each one small in the file, but decoded over the whole
// picture. libjpeg's decoder only warns of the repeated scans.
inline QByteArray ManyScanJpeg(int width, int height, int scans)
{
    static const jpeg_scan_info script[] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 1}, {1, {0}, 1, 63, 1, 0}};
    const QByteArray jpeg = WriteJpeg(
        width, height, JCS_GRAYSCALE, 75,
        [](jpeg_compress_struct& info) {
            info.scan_info = script;
            info.num_scans = 3;
        },
        [=](int y, JSAMPLE* row) {
            for (int x = 0; x < width; ++x)
                row[x] = JSAMPLE((x ^ y) & 0xFF);
        });
    const qsizetype last = jpeg.lastIndexOf("\xFF\xDA");
    const QByteArray scan = jpeg.mid(last, jpeg.size() - 2 - last);  // up to the end marker
    return jpeg.left(jpeg.size() - 2) + scan.repeated(scans - 3) + jpeg.right(2);
}
