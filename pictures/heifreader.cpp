#include "heifreader.h"

#include "picturelimits.h"

#include <QColorSpace>
#include <QPointF>
#include <QThread>

#include "libheif.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// What libheif made, given back to it; only ever made where it is open.
template <auto Free>
struct Freeing {
    template <typename T>
    void operator()(T* object) const
    {
        (OpenLibheif()->*Free)(object);
    }
};
using Context = std::unique_ptr<heif_context, Freeing<&Libheif::heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle, Freeing<&Libheif::heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Freeing<&Libheif::heif_image_release>>;
using Options = std::unique_ptr<heif_decoding_options, Freeing<&Libheif::heif_decoding_options_free>>;

// libheif, or the file refused as unreadable where it is not installed.
const Libheif& Heif(const QString& path)
{
    if (const Libheif* heif = OpenLibheif())
        return *heif;
    throw UnreadablePicture(path);
}

// A memory or security limit of libheif's is the picture being too large
// for it; anything else, a file it cannot read.
void Check(heif_error error, const QString& path)
{
    if (error.code == heif_error_Ok)
        return;
    if (error.code == heif_error_Memory_allocation_error || error.subcode == heif_suberror_Security_limit_exceeded)
        throw PictureTooLarge(path);
    throw UnreadablePicture(path);
}

// The file's primary picture, its size checked against the limits before
// any pixel is decoded. The context holds on to `file` without a copy.
struct Primary {
    const Libheif& heif;
    Context context{heif.heif_context_alloc()};
    Handle handle;
    QSize size;

    Primary(const QByteArray& file, const QString& path) : heif(Heif(path))
    {
        heif.heif_context_set_maximum_image_size_limit(context.get(), MaxPictureSide);
        heif.heif_context_set_max_decoding_threads(context.get(), QThread::idealThreadCount());
        Check(heif.heif_context_read_from_memory_without_copy(context.get(), file.constData(), size_t(file.size()), nullptr),
              path);
        heif_image_handle* primary = nullptr;
        Check(heif.heif_context_get_primary_image_handle(context.get(), &primary), path);
        handle.reset(primary);
        size = {heif.heif_image_handle_get_width(primary), heif.heif_image_handle_get_height(primary)};
        if (size.isEmpty())
            throw UnreadablePicture(path);
        CheckPictureSize(path, size.width(), size.height());
    }
};

// The thumbnail of `primary` that `enough` takes, the smallest of them.
Handle Thumbnail(const Libheif& heif, const heif_image_handle* primary, const std::function<bool(QSize)>& enough)
{
    std::vector<heif_item_id> ids(size_t(std::max(0, heif.heif_image_handle_get_number_of_thumbnails(primary))));
    ids.resize(size_t(heif.heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), int(ids.size()))));
    Handle chosen;
    for (heif_item_id id : ids) {
        heif_image_handle* thumbnail = nullptr;
        if (heif.heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok)
            continue;
        Handle candidate(thumbnail);
        const int width = heif.heif_image_handle_get_width(thumbnail);
        if (enough(QSize(width, heif.heif_image_handle_get_height(thumbnail))) &&
            (!chosen || width < heif.heif_image_handle_get_width(chosen.get())))
            chosen = std::move(candidate);
    }
    return chosen;
}

QImage Decode(const Libheif& heif, const heif_image_handle* handle, const QString& path)
{
    const QSize size(heif.heif_image_handle_get_width(handle), heif.heif_image_handle_get_height(handle));
    CheckPictureSize(path, size.width(), size.height());
    const Options options(heif.heif_decoding_options_alloc());
    // libheif turns and mirrors the picture as the file says (irot, imir);
    // an EXIF orientation beside that is left alone, as viewers leave it.
    options->convert_hdr_to_8bit = 1;
    // A damaged or cut file is refused, not shown with holes.
    options->strict_decoding = 1;
    heif_image* decoded = nullptr;
    Check(heif.heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, options.get()), path);
    Image image(decoded);
    int stride = 0;
    uint8_t* pixels = heif.heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    if (!pixels || heif.heif_image_get_width(decoded, heif_channel_interleaved) != size.width() ||
        heif.heif_image_get_height(decoded, heif_channel_interleaved) != size.height())
        throw UnreadablePicture(path);
    // Opaque like every other picture: an alpha channel is left out, as
    // the other kinds leave theirs; without one libheif fills it opaque.
    if (heif.heif_image_handle_has_alpha_channel(handle))
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                pixels[y * qsizetype{stride} + 4 * x + 3] = 255;
    // The picture keeps libheif's memory rather than taking a copy of it.
    return QImage(
        pixels, size.width(), size.height(), stride, QImage::Format_RGBX8888,
        [](void* image) { OpenLibheif()->heif_image_release(static_cast<heif_image*>(image)); }, image.release());
}

// The ICC profile of the colours coded as primaries and a curve (nclx);
// empty for sRGB's own, which most files give. Curves other than the
// power-law ones are the sRGB curve here, as browsers show them: the
// BT.709 family differs from it only in the dark, and an HDR curve, once
// libheif has cut it to 8 bits, has nothing better to go by.
QByteArray CodedProfile(const heif_color_profile_nclx& coded)
{
    QColorSpace::TransferFunction curve = QColorSpace::TransferFunction::SRgb;
    float gamma = 0;
    switch (coded.transfer_characteristics) {
    case heif_transfer_characteristic_linear:
        curve = QColorSpace::TransferFunction::Linear;
        break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_M:
        curve = QColorSpace::TransferFunction::Gamma, gamma = 2.2f;
        break;
    case heif_transfer_characteristic_ITU_R_BT_470_6_System_B_G:
        curve = QColorSpace::TransferFunction::Gamma, gamma = 2.8f;
        break;
    default:
        break;
    }
    const bool srgbPrimaries = coded.color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
                               coded.color_primaries == heif_color_primaries_unspecified;
    if (srgbPrimaries && curve == QColorSpace::TransferFunction::SRgb)
        return {};
    const QColorSpace space(QPointF(coded.color_primary_white_x, coded.color_primary_white_y),
                            QPointF(coded.color_primary_red_x, coded.color_primary_red_y),
                            QPointF(coded.color_primary_green_x, coded.color_primary_green_y),
                            QPointF(coded.color_primary_blue_x, coded.color_primary_blue_y), curve, gamma);
    return space.isValid() ? space.iccProfile() : QByteArray();
}

// The profile of the picture's colours: the ICC one it carries, else its
// coded colours; empty for sRGB.
QByteArray ColourProfile(const Libheif& heif, const heif_image_handle* handle)
{
    if (const size_t size = heif.heif_image_handle_get_raw_color_profile_size(handle);
        size > 0 && size <= size_t{MaxProfileBytes}) {
        QByteArray icc(qsizetype(size), '\0');
        if (heif.heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            return icc;
    }
    heif_color_profile_nclx* coded = nullptr;
    if (heif.heif_image_handle_get_nclx_color_profile(handle, &coded).code != heif_error_Ok)
        return {};
    QByteArray icc = CodedProfile(*coded);
    heif.heif_nclx_color_profile_free(coded);
    return icc;
}

// The major brands of HEIF files with HEVC or AV1 pictures, stills and
// sequences, and of those that name only the container.
constexpr const char* Brands[] = {"heic", "heix", "hevc", "heim", "heis", "hevm",
                                   "hevs", "mif1", "msf1", "avif", "avis"};

}  // namespace

bool IsHeif(QByteArrayView head)
{
    if (head.size() < 12 || head.sliced(4, 4) != "ftyp")
        return false;
    const QByteArrayView brand = head.sliced(8, 4);
    return std::any_of(std::begin(Brands), std::end(Brands), [&](const char* known) { return brand == known; });
}

bool CanDecodeHeic()
{
    const Libheif* heif = OpenLibheif();
    return heif && heif->heif_have_decoder_for_format(heif_compression_HEVC);
}

bool CanDecodeAvif()
{
    const Libheif* heif = OpenLibheif();
    return heif && heif->heif_have_decoder_for_format(heif_compression_AV1);
}

QSize HeifSize(const QByteArray& file, const QString& path)
{
    return Primary(file, path).size;
}

DecodedPicture ReadHeif(const QByteArray& file, const QString& path, const std::function<bool(QSize)>& enough)
{
    const Primary primary(file, path);
    const Libheif& heif = primary.heif;
    const Handle thumbnail = enough ? Thumbnail(heif, primary.handle.get(), enough) : Handle();
    // A thumbnail shows the same colours as the picture it stands for.
    return {Decode(heif, thumbnail ? thumbnail.get() : primary.handle.get(), path),
            ColourProfile(heif, primary.handle.get())};
}
