// Embedded colour profiles (ICC.1): a picture whose file carries the profile
// of an RGB colour space is converted to sRGB when it is decoded, perceptual
// intent, 8 bits, in place, so every consumer (viewer, thumbnails, printing,
// batch conversion) sees the same colours. A profile is checked here before
// LittleCMS reads it; one that fails, a profile of sRGB itself and a picture
// without one leave the pixels exactly as decoded. Gray and CMYK profiles
// are left alone: only RGB data converts (gray pictures keep their gray).
//
// Each distinct profile's transform is built once and kept for the run
// (keyed by a hash of its bytes and the bytes themselves), so a folder of
// camera photos builds it once. Decoders on several threads share the
// cache without a lock: entries are published with one atomic exchange and
// never change nor go away afterwards. Matrix-shaper profiles (nearly all
// that cameras and phones embed) convert through a loop of our own built
// from the library's transform, at a fraction of its time.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "core/image.h"

// Larger profiles are refused (the largest LUT profiles cameras and
// scanners embed are a few hundred kilobytes).
const size_t kMaxColorProfileBytes = (size_t)4 << 20;

// Whether decoders convert at all: on at start. Like the other decode-wide
// switches of the core it is the process's one value, set from the
// interface thread when the settings load or change; a decode reads it once.
void color_profiles_enable(bool on);
bool color_profiles_enabled();

// The checks made before the library sees a profile: the header's size
// field equals `size`, the signature, an RGB data colour space, a device
// class that describes pixels, a sane tag count and every tag's data within
// the profile, and size at most kMaxColorProfileBytes.
bool color_profile_plausible(const uint8_t* profile, size_t size);

// Converts the picture from the profile's colours to sRGB in place; true
// when it did. False, the pixels untouched, when the switch is off, the
// profile is refused (here or by the library) or describes sRGB itself.
bool color_profile_convert(Image* image, const uint8_t* profile, size_t size);

// Tests: whether matrix-shaper profiles may take our own loop instead of
// the library's (the same pixels within a level); returns the new value.
bool color_profile_allow_fast(bool allowed);
// Tests: how many profiles were read and their transforms built so far.
int color_profile_builds();
