#include "colourprofile.h"

#include "regularfile.h"

#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <type_traits>
#include <vector>

#include <lcms2.h>

namespace {

// Ghostscript's CMYK profile for the press common in print shops (coated
// paper, SWOP inks), which Debian ships for any program to use: a CMYK file
// without a profile of its own was almost surely made for such a press.
constexpr char PressProfilePath[] = "color/icc/ghostscript/default_cmyk.icc";

struct CloseProfile {
    void operator()(cmsHPROFILE profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<std::remove_pointer_t<cmsHPROFILE>, CloseProfile>;

// Nothing where `icc` is empty, damaged, or of another colour space.
Profile OpenProfile(QByteArrayView icc, cmsColorSpaceSignature space)
{
    if (icc.isEmpty() || icc.size() > MaxProfileBytes)
        return nullptr;
    Profile profile(cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size())));
    return profile && cmsGetColorSpace(profile.get()) == space ? std::move(profile) : nullptr;
}

// The press profile's bytes; empty where Ghostscript's is not installed.
QByteArray PressProfile()
{
    const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, PressProfilePath);
    return path.isEmpty() ? QByteArray() : RegularFile(path, MaxProfileBytes).ReadAll().value_or(QByteArray());
}

using Transform = std::shared_ptr<std::remove_pointer_t<cmsHTRANSFORM>>;

// From the colours of `icc` into sRGB, four bytes a pixel in, RGB32's B, G,
// R and a fourth byte out, which LittleCMS leaves as it was.
Transform MakeTransform(QByteArrayView icc, cmsUInt32Number format)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is B, G, R, A in memory only here");
    const Profile from = OpenProfile(icc, T_COLORSPACE(format) == PT_CMYK ? cmsSigCmykData : cmsSigRgbData);
    if (!from)
        return nullptr;
    const Profile srgb(cmsCreate_sRGBProfile());
    // Perceptual, as a photograph wants, where the profile has tables for
    // it (press and camera profiles): colours beyond sRGB are drawn in
    // smoothly rather than clipped. A matrix profile (Display P3, Adobe RGB)
    // has none and is converted colorimetrically, so colours sRGB holds come
    // out as they were drawn.
    const int intent = cmsIsMatrixShaper(from.get()) ? INTENT_RELATIVE_COLORIMETRIC : INTENT_PERCEPTUAL;
    // Without LittleCMS's cache of the last pixel, one transform can serve
    // several threads at once.
    return Transform(cmsCreateTransform(from.get(), format, srgb.get(), TYPE_BGRA_8, intent, cmsFLAGS_NOCACHE),
                     cmsDeleteTransform);
}

// The transform for `icc`, kept from the picture before when that carried
// the same profile, as a phone's photos all do: making one takes some
// milliseconds, as long as converting a whole screen of pixels.
Transform TransformFor(const QByteArray& icc, cmsUInt32Number format)
{
    static std::mutex guard;
    static QByteArray keptIcc;
    static cmsUInt32Number keptFormat = 0;
    static Transform kept;
    {
        const std::lock_guard lock(guard);
        if (kept && keptFormat == format && keptIcc == icc)
            return kept;
    }
    Transform made = MakeTransform(icc, format);
    if (made) {
        const std::lock_guard lock(guard);
        keptIcc = icc, keptFormat = format, kept = made;
    }
    return made;
}

// Converts the lines in place, in bands on every core for a picture large
// enough to be worth the threads.
void Convert(QImage& image, cmsHTRANSFORM transform)
{
    // Taken once: scanLine() would copy a shared image, from every thread.
    uchar* const pixels = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto convertLines = [&](int first, int end) {
        for (int y = first; y < end; ++y)
            cmsDoTransform(transform, pixels + y * stride, pixels + y * stride, cmsUInt32Number(image.width()));
    };
    constexpr qint64 PixelsABand = 1 << 17;
    const int bands = int(std::clamp<qint64>(qint64{image.width()} * image.height() / PixelsABand, 1,
                                             std::max(1, QThread::idealThreadCount())));
    std::vector<std::jthread> helpers;
    for (int band = 1; band < bands; ++band) {
        const int first = image.height() * band / bands, end = image.height() * (band + 1) / bands;
        try {
            helpers.emplace_back(convertLines, first, end);
        } catch (const std::system_error&) {
            convertLines(first, end);  // no thread to spare: this one does the band
        }
    }
    convertLines(0, image.height() / bands);
}

}  // namespace

void RgbToSrgb(QImage& image, const QByteArray& icc)
{
    if (icc.isEmpty())
        return;
    if (const Transform transform = TransformFor(icc, TYPE_BGRA_8))
        Convert(image, transform.get());
}

bool CmykToSrgb(QImage& image, const QByteArray& icc, bool inverted)
{
    const cmsUInt32Number format = inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8;
    Transform transform = TransformFor(icc, format);
    if (!transform)
        transform = TransformFor(PressProfile(), format);
    if (!transform)
        return false;
    Convert(image, transform.get());
    // The fourth byte still holds the black ink.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    return true;
}
