// Bilinear resize in 1/256 fixed point. The four-neighbour formula is
// separable without loss: top and bottom are horizontal blends of whole source
// rows, and each destination row is a vertical blend of two such rows. So every
// source row is resampled horizontally at most once per run of destination rows
// that share it (upscaling reuses it many times), the next row needed is read
// into the cache meanwhile, and with SSE2 the horizontal blend takes a whole
// pixel and the vertical one sixteen bytes a step.
#include <stdlib.h>
#include <string.h>

#include "core/transform.h"

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#define LUMORA_RESIZE_SSE2 1
#endif

namespace {

// One destination sample: the index of its first source neighbour and the
// weight of the second in 1/256. A nonzero weight implies the second exists.
struct Tap {
    int32_t index;
    int32_t weight;
};

// Source positions of n destination samples over `size` source samples, pixel
// centres aligned: ((i + 0.5) * size / n - 0.5) * 256 without overflow.
void compute_taps(int32_t size, int32_t n, Tap* taps) {
    for (int32_t i = 0; i < n; ++i) {
        int64_t t = (2 * (int64_t)i + 1) * size;
        int64_t pos = (t / n) * 128 + ((t % n) * 128) / n - 128;
        if (pos < 0) pos = 0;
        taps[i].index = (int32_t)(pos >> 8);
        taps[i].weight = (int32_t)(pos & 255);
        if (taps[i].index >= size - 1) taps[i].index = size - 1, taps[i].weight = 0;
    }
}

// One source row resampled to w pixels, three 16-bit lanes per pixel (at most
// 255 each: the top or bottom of the formula).
void resample_row(const uint8_t* src, const Tap* cols, int32_t from, int32_t w, uint16_t* out, const uint8_t* next) {
    for (int32_t x = from; x < w; ++x) {
        const uint8_t* p = src + 3 * (size_t)cols[x].index;
        if (next) __builtin_prefetch(next + 3 * (size_t)cols[x].index);
        const uint32_t fx = (uint32_t)cols[x].weight, step = fx ? 3 : 0;
        uint16_t* d = out + 3 * (size_t)x;
        d[0] = (uint16_t)((p[0] * (256 - fx) + p[step] * fx) >> 8);
        d[1] = (uint16_t)((p[1] * (256 - fx) + p[step + 1] * fx) >> 8);
        d[2] = (uint16_t)((p[2] * (256 - fx) + p[step + 2] * fx) >> 8);
    }
}

void blend_rows_scalar(const uint16_t* top, const uint16_t* bottom, uint32_t fy, uint8_t* out, size_t n) {
    for (size_t i = 0; i < n; ++i) out[i] = (uint8_t)((top[i] * (256 - fy) + bottom[i] * fy) >> 8);
}

#if LUMORA_RESIZE_SSE2
// Columns before fast_end read their two neighbours with one 8-byte load that
// stays inside the source row: pixel x0 in lanes 0-2, x0 + 1 in lanes 3-5.
// Their weights sit in matching lanes, (256 - fx) three times, fx three times.
// No product or sum passes 65280, so the low halves that _mm_mullo_epi16
// keeps are the whole values. Lane 3 of each 8-byte store is junk that the
// next pixel overwrites; `out` has one lane more than the row for the last.
__attribute__((target("sse2"))) void resample_row_sse2(const uint8_t* src, const Tap* cols, const uint16_t* weights,
                                                        int32_t fast_end, int32_t w, uint16_t* out, const uint8_t* next) {
    const __m128i zero = _mm_setzero_si128();
    for (int32_t x = 0; x < fast_end; ++x) {
        if (next) __builtin_prefetch(next + 3 * (size_t)cols[x].index);
        __m128i both = _mm_loadl_epi64((const __m128i*)(src + 3 * (size_t)cols[x].index));
        __m128i weight = _mm_loadu_si128((const __m128i*)(weights + 8 * (size_t)x));
        __m128i v = _mm_mullo_epi16(_mm_unpacklo_epi8(both, zero), weight);
        v = _mm_srli_epi16(_mm_add_epi16(v, _mm_srli_si128(v, 6)), 8);
        _mm_storel_epi64((__m128i*)(out + 3 * (size_t)x), v);
    }
    resample_row(src, cols, fast_end, w, out, next);
}

// The vertical blend in eight lanes at a time, exact for the same reason.
__attribute__((target("sse2"))) void blend_rows_sse2(const uint16_t* top, const uint16_t* bottom, uint32_t fy,
                                                      uint8_t* out, size_t n) {
    const __m128i wt = _mm_set1_epi16((short)(256 - fy)), wb = _mm_set1_epi16((short)fy);
    size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        __m128i t0 = _mm_loadu_si128((const __m128i*)(top + i)), t1 = _mm_loadu_si128((const __m128i*)(top + i + 8));
        __m128i b0 = _mm_loadu_si128((const __m128i*)(bottom + i));
        __m128i b1 = _mm_loadu_si128((const __m128i*)(bottom + i + 8));
        __m128i v0 = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(t0, wt), _mm_mullo_epi16(b0, wb)), 8);
        __m128i v1 = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(t1, wt), _mm_mullo_epi16(b1, wb)), 8);
        _mm_storeu_si128((__m128i*)(out + i), _mm_packus_epi16(v0, v1));
    }
    blend_rows_scalar(top + i, bottom + i, fy, out + i, n - i);
}

bool processor_has_sse2() {
#if defined(__x86_64__)
    return true;
#else
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2");
#endif
}
#endif

// -1 until the first resize asks the processor.
int s_use_sse2 = -1;

bool use_sse2() {
#if LUMORA_RESIZE_SSE2
    if (s_use_sse2 < 0) s_use_sse2 = processor_has_sse2();
    return s_use_sse2 > 0;
#else
    return false;
#endif
}

// What resampling one source row takes: the column taps, and for the vector
// path their weights in lanes and the first column whose 8-byte load would
// leave the row.
struct Columns {
    const Tap* taps;
    const uint16_t* weights;  // 8 lanes per column, or none
    int32_t fast_end;
    int32_t count;
};

void resample(const Columns& cols, const uint8_t* src, uint16_t* out, const uint8_t* next) {
#if LUMORA_RESIZE_SSE2
    if (cols.weights) return resample_row_sse2(src, cols.taps, cols.weights, cols.fast_end, cols.count, out, next);
#endif
    resample_row(src, cols.taps, 0, cols.count, out, next);
}

void fill_lane_weights(const Tap* taps, int32_t n, uint16_t* weights) {
    for (int32_t x = 0; x < n; ++x) {
        uint16_t* lane = weights + 8 * (size_t)x;
        for (int i = 0; i < 3; ++i) {
            lane[i] = (uint16_t)(256 - taps[x].weight);
            lane[3 + i] = (uint16_t)taps[x].weight;
        }
        lane[6] = lane[7] = 0;
    }
}

// The source rows in the order destination rows first need them, for reading
// the next one ahead while this one is resampled.
struct RowOrder {
    const Tap* rows;
    int32_t count;
    int32_t at;  // no destination row before this needs a row above the last asked
};

// The first source row above `row` that a later destination row needs, or -1.
// Rows are resampled in rising order, so `at` only moves forward.
int32_t next_needed(RowOrder* order, int32_t row) {
    for (; order->at < order->count; ++order->at) {
        const Tap& t = order->rows[order->at];
        if (t.index > row) return t.index;
        if (t.weight && t.index + 1 > row) return t.index + 1;
    }
    return -1;
}

// The two most recently resampled source rows.
struct RowCache {
    uint16_t* lanes[2];
    int32_t row[2];  // source row held, -1 for none
};

int cached_slot(const RowCache& c, int32_t row) { return c.row[0] == row ? 0 : c.row[1] == row ? 1 : -1; }

}  // namespace

bool image_resize_allow_sse2(bool allowed) {
#if LUMORA_RESIZE_SSE2
    s_use_sse2 = allowed && processor_has_sse2();
#else
    (void)allowed;
#endif
    return use_sse2();
}

Image* image_resize(const Image* image, int32_t w, int32_t h) {
    if (!image || w < 1 || h < 1) return nullptr;
    Image* out = image_create(w, h);
    if (!out) return nullptr;
    const bool sse2 = use_sse2();
    const size_t lanes = 3 * (size_t)w + 1, weight_lanes = sse2 ? 8 * (size_t)w : 0;
    Tap* taps = (Tap*)malloc(sizeof(Tap) * ((size_t)w + (size_t)h));
    uint16_t* buffer = (uint16_t*)malloc(sizeof(uint16_t) * (2 * lanes + weight_lanes));
    if (!taps || !buffer) {
        free(taps);
        free(buffer);
        image_free(out);
        return nullptr;
    }
    const int32_t W = image->width, H = image->height;
    Tap* rows = taps + w;
    compute_taps(W, w, taps);
    compute_taps(H, h, rows);
    Columns cols = {taps, nullptr, 0, w};
    if (sse2) {
        cols.weights = buffer + 2 * lanes;
        fill_lane_weights(taps, w, buffer + 2 * lanes);
        // Indexes never fall as x grows; a load at index x0 takes bytes up to 3 * x0 + 7.
        while (cols.fast_end < w && 3 * (int64_t)taps[cols.fast_end].index + 8 <= 3 * (int64_t)W) ++cols.fast_end;
    }
    void (*blend)(const uint16_t*, const uint16_t*, uint32_t, uint8_t*, size_t) = blend_rows_scalar;
#if LUMORA_RESIZE_SSE2
    if (sse2) blend = blend_rows_sse2;
#endif
    RowCache cache = {{buffer, buffer + lanes}, {-1, -1}};
    RowOrder order = {rows, h, 0};
    auto fill = [&](int slot, int32_t row) {
        const int32_t next = next_needed(&order, row);
        resample(cols, image_row(image, row), cache.lanes[slot], next < 0 ? nullptr : image_row(image, next));
        cache.row[slot] = row;
    };
    for (int32_t y = 0; y < h; ++y) {
        const int32_t y0 = rows[y].index, fy = rows[y].weight;
        // Without weight the bottom row adds nothing; with y1 = y0 it equals the top.
        const bool need_bottom = fy != 0 && y0 + 1 < H;
        int top = cached_slot(cache, y0), bottom = need_bottom ? cached_slot(cache, y0 + 1) : -1;
        if (top < 0) {
            top = bottom == 0 ? 1 : 0;
            fill(top, y0);
        }
        if (!need_bottom) {
            bottom = top;
        } else if (bottom < 0) {
            bottom = 1 - top;
            fill(bottom, y0 + 1);
        }
        blend(cache.lanes[top], cache.lanes[bottom], (uint32_t)fy, image_row(out, y), 3 * (size_t)w);
    }
    free(taps);
    free(buffer);
    return out;
}
