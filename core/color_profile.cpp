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

// One profile seen, with its transform; none when the profile was refused
// or is sRGB. Never changed once published.
struct Entry {
    uint32_t hash;
    size_t size;
    uint8_t* bytes;
    cmsHTRANSFORM transform;
};

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
    if (converted)
        cmsDoTransformLineStride(e->transform, image->pixels, image->pixels, (cmsUInt32Number)image->width,
                                 (cmsUInt32Number)image->height, (cmsUInt32Number)image->stride,
                                 (cmsUInt32Number)image->stride, 0, 0);
    if (owned) free_entry(e);
    return converted;
}
