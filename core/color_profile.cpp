#include "core/color_profile.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>

#include "core/byte_reader.h"
#include "lcms2.h"

namespace {

std::atomic<bool> s_enabled{true};
std::atomic<int> s_builds{0};
std::atomic<bool> s_allow_fast{true};

// ICC.1 clause 7: a 128-byte header, then the tag count and 12-byte entries
// (signature, offset, size).
const size_t kHeaderBytes = 128;
const size_t kTagEntryBytes = 12;
const uint32_t kMaxTags = 1024;
// Every tag holds at least its type signature and reserved word.
const uint32_t kMinTagBytes = 8;

constexpr uint32_t sig(const char (&s)[5]) {
    return (uint32_t)(uint8_t)s[0] << 24 | (uint32_t)(uint8_t)s[1] << 16 | (uint32_t)(uint8_t)s[2] << 8 |
           (uint32_t)(uint8_t)s[3];
}

// Input, display, colour space and output classes describe pixels; device
// links, abstract and named-colour profiles do not.
bool pixel_class(uint32_t device_class) {
    return device_class == sig("scnr") || device_class == sig("mntr") || device_class == sig("spac") ||
           device_class == sig("prtr");
}

// A profile is taken for sRGB when it is a matrix-shaper whose colourants
// and tone curves are those of the library's own sRGB within what moves no
// pixel by more than half a level: the conversion would then give the
// pixels back (up to rounding), so they stay byte-identical instead. Names
// and descriptions are not trusted; a "sRGB" that is really gamma 2.2
// converts like any other profile.
const double kColorantTolerance = 0.002;
const double kCurveTolerance = 0.5 / 255;

bool same_colorant(cmsHPROFILE a, cmsHPROFILE b, cmsTagSignature tag) {
    const cmsCIEXYZ* x = (const cmsCIEXYZ*)cmsReadTag(a, tag);
    const cmsCIEXYZ* y = (const cmsCIEXYZ*)cmsReadTag(b, tag);
    return x && y && fabs(x->X - y->X) <= kColorantTolerance && fabs(x->Y - y->Y) <= kColorantTolerance &&
           fabs(x->Z - y->Z) <= kColorantTolerance;
}

bool same_curve(cmsHPROFILE a, cmsHPROFILE b, cmsTagSignature tag) {
    const cmsToneCurve* x = (const cmsToneCurve*)cmsReadTag(a, tag);
    const cmsToneCurve* y = (const cmsToneCurve*)cmsReadTag(b, tag);
    if (!x || !y) return false;
    for (int i = 0; i < 256; ++i) {
        float v = (float)i / 255;
        if (fabs(cmsEvalToneCurveFloat(x, v) - cmsEvalToneCurveFloat(y, v)) > kCurveTolerance) return false;
    }
    return true;
}

bool describes_srgb(cmsHPROFILE profile, cmsHPROFILE srgb) {
    return cmsIsMatrixShaper(profile) && same_colorant(profile, srgb, cmsSigRedColorantTag) &&
           same_colorant(profile, srgb, cmsSigGreenColorantTag) &&
           same_colorant(profile, srgb, cmsSigBlueColorantTag) && same_curve(profile, srgb, cmsSigRedTRCTag) &&
           same_curve(profile, srgb, cmsSigGreenTRCTag) && same_curve(profile, srgb, cmsSigBlueTRCTag);
}

// The transform of a matrix-shaper profile (nearly every profile a camera
// or phone embeds) as its parts, run by our own loop in a fraction of the
// library's time per pixel: each sample through its tone curve to linear
// light, a 3 x 3 matrix into linear sRGB (0..kOne, clipped), sRGB's curve
// back to 8 bits. Each matrix entry times each sample's linear value is one
// table, so a pixel is nine loads and adds. The parts are measured from the
// library's own transform, not worked out again here, and used only when
// they reproduce it.
const int kLinearBits = 14;
const int32_t kOne = 1 << kLinearBits;
// The products keep two bits more, rounded off once in the sum: where a
// wide gamut's saturated colours nearly cancel, rounding each product to
// the linear scale would move dark values by whole levels.
const int kTermBits = kLinearBits + 2;
const double kMaxMatrixEntry = 64;  // beyond any real RGB space; keeps the sums in 32 bits

struct FastShaper {
    int32_t term[3][3][256];  // [sRGB channel][source channel][sample], red first
    uint8_t encode[kOne + 1];
};

// One profile seen, with its transform; none when the profile was refused
// or is sRGB. Never changed once published.
struct Entry {
    uint32_t hash;
    size_t size;
    uint8_t* bytes;
    cmsHTRANSFORM transform;
    FastShaper* fast;  // none when the transform is not curves and a matrix
};

// IEC 61966-2-1: linear light to the sRGB curve.
double srgb_encode(double linear) {
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * pow(linear, 1 / 2.4) - 0.055;
}

uint8_t clamp_byte(double v) { return v <= 0 ? 0 : v >= 255 ? 255 : (uint8_t)(v + 0.5); }

inline void fast_pixel(const FastShaper& f, uint8_t* bgr) {
    const uint8_t r = bgr[2], g = bgr[1], b = bgr[0];
    for (int c = 0; c < 3; ++c) {
        int32_t v = (f.term[c][0][r] + f.term[c][1][g] + f.term[c][2][b] + 2) >> (kTermBits - kLinearBits);
        bgr[2 - c] = f.encode[v < 0 ? 0 : v > kOne ? kOne : v];
    }
}

// sRGB's primaries and white (as the library's own sRGB has them) with
// straight lines for curves: the transform to it gives linear light.
cmsHPROFILE linear_srgb() {
    cmsCIExyY white = {0.3127, 0.3290, 1.0};
    cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* line = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {line, line, line};
    cmsHPROFILE profile = line ? cmsCreateRGBProfile(&white, &primaries, curves) : nullptr;
    if (line) cmsFreeToneCurve(line);
    return profile;
}

// The parts of a matrix-shaper's transform to sRGB, checked against the
// library's 8-bit transform on a grid of colours (within one level); none
// when they do not reproduce it.
FastShaper* measure_fast(cmsHPROFILE source, cmsHTRANSFORM reference) {
    if (!cmsIsMatrixShaper(source)) return nullptr;
    cmsHPROFILE linear = linear_srgb();
    cmsHTRANSFORM t = linear ? cmsCreateTransform(source, TYPE_RGB_FLT, linear, TYPE_RGB_FLT, INTENT_PERCEPTUAL,
                                                  cmsFLAGS_NOCACHE)
                             : nullptr;
    FastShaper* f = t ? (FastShaper*)malloc(sizeof(FastShaper)) : nullptr;
    bool ok = f != nullptr;
    // Each primary alone gives its column of the matrix times its curve.
    float column[3][3] = {};
    for (int c = 0; ok && c < 3; ++c) {
        float one[3] = {0, 0, 0};
        one[c] = 1;
        cmsDoTransform(t, one, column[c], 1);
        double norm = 0;
        for (int r = 0; r < 3; ++r) norm += (double)column[c][r] * column[c][r];
        ok = norm > 1e-6;
        for (int r = 0; r < 3; ++r) ok = ok && fabs(column[c][r]) < kMaxMatrixEntry;
        for (int v = 0; ok && v < 256; ++v) {
            float in[3] = {0, 0, 0}, out[3];
            in[c] = (float)v / 255;
            cmsDoTransform(t, in, out, 1);
            double dot = 0;
            for (int r = 0; r < 3; ++r) dot += (double)out[r] * column[c][r];
            double level = dot / norm;  // the curve's value
            ok = level > -0.5 && level < 1.5;
            for (int r = 0; ok && r < 3; ++r) f->term[r][c][v] = (int32_t)lround(column[c][r] * level * (1 << kTermBits));
        }
    }
    for (int32_t i = 0; ok && i <= kOne; ++i) f->encode[i] = clamp_byte(255 * srgb_encode((double)i / kOne));
    const int kStep = 17;  // 0, 17, ..., 255 on each axis
    for (int r = 0; ok && r < 256; r += kStep)
        for (int g = 0; ok && g < 256; g += kStep)
            for (int b = 0; ok && b < 256; b += kStep) {
                uint8_t ours[3] = {(uint8_t)b, (uint8_t)g, (uint8_t)r}, theirs[3];
                cmsDoTransform(reference, ours, theirs, 1);
                fast_pixel(*f, ours);
                for (int c = 0; c < 3; ++c) ok = ok && abs(ours[c] - theirs[c]) <= 1;
            }
    if (t) cmsDeleteTransform(t);
    if (linear) cmsCloseProfile(linear);
    if (!ok) {
        free(f);
        return nullptr;
    }
    return f;
}

// Slots fill in order and are never emptied: the first empty one ends a
// search. A run that meets more distinct profiles than this builds the
// others' transforms for each picture.
const int kCacheSlots = 16;
std::atomic<Entry*> s_cache[kCacheSlots];

uint32_t hash_of(const uint8_t* data, size_t size) {
    uint32_t hash = 0x811C9DC5u;  // FNV-1a
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x01000193u;
    return hash;
}

bool entry_is(const Entry* e, uint32_t hash, const uint8_t* profile, size_t size) {
    return e->hash == hash && e->size == size && memcmp(e->bytes, profile, size) == 0;
}

void free_entry(Entry* e) {
    if (!e) return;
    if (e->transform) cmsDeleteTransform(e->transform);
    free(e->fast);
    free(e->bytes);
    free(e);
}

// The profile read by the library and its transform to sRGB built; the
// picture's blue-green-red bytes in and out. None when memory is short.
Entry* build_entry(const uint8_t* profile, size_t size, uint32_t hash) {
    Entry* e = (Entry*)calloc(1, sizeof(Entry));
    if (!e || !(e->bytes = (uint8_t*)malloc(size))) {
        free(e);
        return nullptr;
    }
    memcpy(e->bytes, profile, size);
    e->hash = hash;
    e->size = size;
    s_builds.fetch_add(1, std::memory_order_relaxed);
    cmsHPROFILE source = cmsOpenProfileFromMem(profile, (cmsUInt32Number)size);
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    if (source && srgb && cmsGetColorSpace(source) == cmsSigRgbData && !describes_srgb(source, srgb))
        e->transform = cmsCreateTransform(source, TYPE_BGR_8, srgb, TYPE_BGR_8, INTENT_PERCEPTUAL, cmsFLAGS_NOCACHE);
    if (e->transform) e->fast = measure_fast(source, e->transform);
    if (source) cmsCloseProfile(source);
    if (srgb) cmsCloseProfile(srgb);
    return e;
}

// The profile's entry, from the cache or built now. *owned is set when the
// entry could not be cached: the caller frees it after use.
Entry* entry_for(const uint8_t* profile, size_t size, bool* owned) {
    *owned = false;
    uint32_t hash = hash_of(profile, size);
    int slot = 0;
    for (; slot < kCacheSlots; ++slot) {
        Entry* e = s_cache[slot].load(std::memory_order_acquire);
        if (!e) break;
        if (entry_is(e, hash, profile, size)) return e;
    }
    Entry* made = build_entry(profile, size, hash);
    if (!made) return nullptr;
    // Another decode may publish the same profile meanwhile: its entry serves.
    for (; slot < kCacheSlots; ++slot) {
        Entry* expected = nullptr;
        if (s_cache[slot].compare_exchange_strong(expected, made, std::memory_order_acq_rel)) return made;
        if (entry_is(expected, hash, profile, size)) {
            free_entry(made);
            return expected;
        }
    }
    *owned = true;
    return made;
}

}  // namespace

void color_profiles_enable(bool on) { s_enabled.store(on, std::memory_order_relaxed); }

bool color_profiles_enabled() { return s_enabled.load(std::memory_order_relaxed); }

bool color_profile_allow_fast(bool allowed) {
    s_allow_fast.store(allowed, std::memory_order_relaxed);
    return allowed;
}

int color_profile_builds() { return s_builds.load(std::memory_order_relaxed); }

bool color_profile_plausible(const uint8_t* profile, size_t size) {
    if (!profile || size < kHeaderBytes + 4 || size > kMaxColorProfileBytes) return false;
    ByteReader r = reader_make(profile, size);
    if (reader_u32be(&r) != size) return false;
    reader_seek(&r, 8);
    uint8_t major = reader_u8(&r);
    reader_seek(&r, 12);
    uint32_t device_class = reader_u32be(&r), space = reader_u32be(&r), pcs = reader_u32be(&r);
    reader_seek(&r, 36);
    if (major < 2 || major > 4 || !pixel_class(device_class) || space != sig("RGB ") ||
        (pcs != sig("XYZ ") && pcs != sig("Lab ")) || reader_u32be(&r) != sig("acsp"))
        return false;
    reader_seek(&r, kHeaderBytes);
    uint32_t count = reader_u32be(&r);
    if (count == 0 || count > kMaxTags || count > (size - kHeaderBytes - 4) / kTagEntryBytes) return false;
    // Tag data lies after the tag table and wholly inside the profile.
    uint64_t table_end = kHeaderBytes + 4 + (uint64_t)count * kTagEntryBytes;
    for (uint32_t i = 0; i < count; ++i) {
        reader_skip(&r, 4);
        uint64_t offset = reader_u32be(&r), length = reader_u32be(&r);
        if (r.failed || offset < table_end || length < kMinTagBytes || offset + length > size) return false;
    }
    return true;
}

bool color_profile_convert(Image* image, const uint8_t* profile, size_t size) {
    if (!image || !image->pixels || !color_profiles_enabled() || !color_profile_plausible(profile, size))
        return false;
    bool owned = false;
    Entry* e = entry_for(profile, size, &owned);
    bool converted = e && e->transform;
    // Rows are converted in place: the library reads each pixel before it
    // writes it, and both formats are three bytes a pixel.
    if (converted && e->fast && s_allow_fast.load(std::memory_order_relaxed)) {
        for (int32_t y = 0; y < image->height; ++y) {
            uint8_t* p = image->pixels + (size_t)y * (size_t)image->stride;
            for (int32_t x = 0; x < image->width; ++x, p += 3) fast_pixel(*e->fast, p);
        }
    } else if (converted) {
        cmsDoTransformLineStride(e->transform, image->pixels, image->pixels, (cmsUInt32Number)image->width,
                                 (cmsUInt32Number)image->height, (cmsUInt32Number)image->stride,
                                 (cmsUInt32Number)image->stride, 0, 0);
    }
    if (owned) free_entry(e);
    return converted;
}
