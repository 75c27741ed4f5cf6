#pragma once

// Writes HEIC and AVIF files with libheif's own encoders, as the tests and
// the benchmarks make the pictures they read.
#include <QByteArray>
#include <QImage>

#include <cstdlib>
#include <functional>

#include <libheif/heif.h>

// `picture` coded with `compression` (HEVC or AV1) at `quality`, stored
// with `orientation` for libheif to turn it by (irot and imir), and with an
// embedded thumbnail of `thumbnailSide` points a side in the one colour
// `thumbnailColour`, so that a preview shows which of the two it is;
// `describeColours` gives the picture a colour profile.
inline QByteArray WriteHeif(const QImage& picture, heif_compression_format compression, int quality = 90,
                            heif_orientation orientation = heif_orientation_normal, int thumbnailSide = 0,
                            QRgb thumbnailColour = 0, const std::function<void(heif_image*)>& describeColours = {})
{
    const auto ok = [](heif_error error) {
        if (error.code != heif_error_Ok)
            std::abort();
    };
    const auto heifImage = [&](const QImage& from) {
        const QImage rgb = from.convertToFormat(QImage::Format_RGB888);
        heif_image* image = nullptr;
        ok(heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image));
        ok(heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8));
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
        for (int y = 0; y < rgb.height(); ++y)
            std::copy_n(rgb.constScanLine(y), rgb.width() * 3, plane + y * stride);
        return image;
    };
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    ok(heif_context_get_encoder_for_format(context, compression, &encoder));
    ok(heif_encoder_set_lossy_quality(encoder, quality));
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = orientation;
    // Otherwise libheif leaves out the colours coded as primaries, which
    // an old macOS misread.
    options->macOS_compatibility_workaround_no_nclx_profile = 0;
    heif_image* image = heifImage(picture);
    if (describeColours)
        describeColours(image);
    heif_image_handle* handle = nullptr;
    ok(heif_context_encode_image(context, image, encoder, options, &handle));
    if (thumbnailSide) {
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(thumbnailColour);
        heif_image* thumbnail = heifImage(flat);
        ok(heif_context_encode_thumbnail(context, thumbnail, handle, encoder, options, thumbnailSide, nullptr));
        heif_image_release(thumbnail);
    }
    QByteArray bytes;
    heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* into) {
                           static_cast<QByteArray*>(into)->append(static_cast<const char*>(data), qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    ok(heif_context_write(context, &writer, &bytes));
    heif_image_handle_release(handle);
    heif_image_release(image);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}
