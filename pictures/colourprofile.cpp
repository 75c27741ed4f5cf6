#include "colourprofile.h"

#include "regularfile.h"

#include <QStandardPaths>

#include <memory>
#include <type_traits>

#include <lcms2.h>

namespace {

// Ghostscript's CMYK profile for the press common in print shops (coated
// paper, SWOP inks), which Debian ships for any program to use: a CMYK file
// without a profile of its own was almost surely made for such a press.
constexpr char kPressProfile[] = "color/icc/ghostscript/default_cmyk.icc";
// Real profiles take some kilobytes; a press profile's tables some hundred.
constexpr qint64 kMaxProfileBytes = qint64{1} << 20;

struct CloseProfile {
    void operator()(cmsHPROFILE profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<std::remove_pointer_t<cmsHPROFILE>, CloseProfile>;

struct DeleteTransform {
    void operator()(cmsHTRANSFORM transform) const { cmsDeleteTransform(transform); }
};
using Transform = std::unique_ptr<std::remove_pointer_t<cmsHTRANSFORM>, DeleteTransform>;

// Nothing where `icc` is empty, damaged, or of another colour space.
Profile OpenProfile(QByteArrayView icc, cmsColorSpaceSignature space)
{
    if (icc.isEmpty() || icc.size() > kMaxProfileBytes)
        return nullptr;
    Profile profile(cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size())));
    return profile && cmsGetColorSpace(profile.get()) == space ? std::move(profile) : nullptr;
}

Profile PressProfile()
{
    const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, kPressProfile);
    if (path.isEmpty())
        return nullptr;
    const std::optional<QByteArray> bytes = RegularFile(path, kMaxProfileBytes).ReadAll();
    return bytes ? OpenProfile(*bytes, cmsSigCmykData) : nullptr;
}

// Converts each line in place: four bytes a pixel in, RGB32's B, G, R and
// a fourth byte out, which LittleCMS leaves as it was.
bool ToSrgb(QImage& image, cmsHPROFILE from, cmsUInt32Number format)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is B, G, R, A in memory only here");
    const Profile srgb(cmsCreate_sRGBProfile());
    // Perceptual, as a photograph wants, where the profile has tables for
    // it (press and camera profiles): colours beyond sRGB are drawn in
    // smoothly rather than clipped. A matrix profile (Display P3, Adobe RGB)
    // has none and is converted colorimetrically, so colours sRGB holds come
    // out as they were drawn; asked for so, LittleCMS joins its curves and
    // matrices into one fast step, where a perceptual intent would add black
    // point compensation to a version 4 profile and lose that.
    const int intent = cmsIsMatrixShaper(from) ? INTENT_RELATIVE_COLORIMETRIC : INTENT_PERCEPTUAL;
    const Transform transform(cmsCreateTransform(from, format, srgb.get(), TYPE_BGRA_8, intent, 0));
    if (!transform)
        return false;
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        cmsDoTransform(transform.get(), line, line, cmsUInt32Number(image.width()));
    }
    return true;
}

}  // namespace

void RgbToSrgb(QImage& image, QByteArrayView icc)
{
    if (const Profile profile = OpenProfile(icc, cmsSigRgbData))
        ToSrgb(image, profile.get(), TYPE_BGRA_8);
}

bool CmykToSrgb(QImage& image, QByteArrayView icc, bool inverted)
{
    Profile profile = OpenProfile(icc, cmsSigCmykData);
    if (!profile)
        profile = PressProfile();
    if (!profile || !ToSrgb(image, profile.get(), inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8))
        return false;
    // The fourth byte still holds the black ink.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    return true;
}
