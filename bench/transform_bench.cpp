// Resizing and quarter turns of a 12-megapixel picture: Lumora's against the
// plain loops they replace (the same formula, one pixel and byte at a time)
// and, for resizing, against stb_image_resize's filtered resampler.
// Every run makes a new 36 MB picture, and fresh pages from the kernel can
// cost more than the work itself; to compare the loops alone, keep freed
// blocks in the heap: GLIBC_TUNABLES=glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=4294967295
#include <benchmark/benchmark.h>
#include <stdlib.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

#include "core/transform.h"

namespace {

const int kWidth = 4000, kHeight = 3000, kToWidth = 1920, kToHeight = 1440;

const Image* photo() {
    static Image* image = [] {
        Image* made = image_create(kWidth, kHeight);
        uint32_t x = 12345;
        for (int32_t y = 0; y < kHeight; ++y) {
            uint8_t* row = image_row(made, y);
            for (int i = 0; i < 3 * kWidth; ++i) {
                x = x * 1103515245u + 12345u;
                row[i] = (uint8_t)(x >> 16);
            }
        }
        return made;
    }();
    return image;
}

void set_positions(int32_t size, int32_t n, int32_t* index, int32_t* weight) {
    for (int32_t i = 0; i < n; ++i) {
        int64_t t = (2 * (int64_t)i + 1) * size;
        int64_t pos = (t / n) * 128 + ((t % n) * 128) / n - 128;
        if (pos < 0) pos = 0;
        index[i] = (int32_t)(pos >> 8);
        weight[i] = (int32_t)(pos & 255);
        if (index[i] >= size - 1) index[i] = size - 1, weight[i] = 0;
    }
}

// The formula written out directly: positions once, then every byte alone.
Image* resize_plain(const Image* image, int32_t w, int32_t h) {
    Image* out = image_create(w, h);
    int32_t* xs = (int32_t*)malloc(sizeof(int32_t) * 2 * (size_t)w);
    int32_t* ys = (int32_t*)malloc(sizeof(int32_t) * 2 * (size_t)h);
    const int32_t W = image->width, H = image->height;
    set_positions(W, w, xs, xs + w);
    set_positions(H, h, ys, ys + h);
    for (int32_t y = 0; y < h; ++y) {
        int32_t y0 = ys[y], fy = ys[h + y], y1 = y0 + 1 < H ? y0 + 1 : y0;
        const uint8_t* r0 = image_row(image, y0);
        const uint8_t* r1 = image_row(image, y1);
        uint8_t* d = image_row(out, y);
        for (int32_t x = 0; x < w; ++x) {
            int32_t x0 = xs[x], fx = xs[w + x], x1 = x0 + 1 < W ? x0 + 1 : x0;
            for (int c = 0; c < 3; ++c) {
                int top = (r0[3 * x0 + c] * (256 - fx) + r0[3 * x1 + c] * fx) >> 8;
                int bottom = (r1[3 * x0 + c] * (256 - fx) + r1[3 * x1 + c] * fx) >> 8;
                d[3 * x + c] = (uint8_t)((top * (256 - fy) + bottom * fy) >> 8);
            }
        }
    }
    free(xs);
    free(ys);
    return out;
}

// Every pixel through image_set_pixel, down the destination's columns.
Image* rotate_plain(const Image* image, int clockwise) {
    const int32_t w = image->width, h = image->height;
    Image* out = image_create(h, w);
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = image_row(image, y);
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t* p = row + 3 * x;
            if (clockwise) image_set_pixel(out, h - 1 - y, x, p[0], p[1], p[2]);
            else image_set_pixel(out, y, w - 1 - x, p[0], p[1], p[2]);
        }
    }
    return out;
}

void run(benchmark::State& state, Image* (*make)(const Image*)) {
    const Image* source = photo();
    for (auto _ : state) {
        Image* out = make(source);
        if (!out) state.SkipWithError("no picture");
        benchmark::DoNotOptimize(out);
        image_free(out);
    }
    state.SetItemsProcessed(state.iterations() * (int64_t)kWidth * kHeight);
}

void BM_Resize_Lumora(benchmark::State& state) {
    image_resize_allow_sse2(true);
    run(state, [](const Image* s) { return image_resize(s, kToWidth, kToHeight); });
}

void BM_Resize_LumoraWithoutSse2(benchmark::State& state) {
    image_resize_allow_sse2(false);
    run(state, [](const Image* s) { return image_resize(s, kToWidth, kToHeight); });
    image_resize_allow_sse2(true);
}

void BM_Resize_PlainLoop(benchmark::State& state) {
    run(state, [](const Image* s) { return resize_plain(s, kToWidth, kToHeight); });
}

// Rows of 4000 and 1920 pixels need no padding: the pixels are packed RGB.
void BM_Resize_StbImageResize(benchmark::State& state) {
    run(state, [](const Image* s) {
        Image* out = image_create(kToWidth, kToHeight);
        if (out && !stbir_resize_uint8(s->pixels, s->width, s->height, s->stride, out->pixels, kToWidth, kToHeight,
                                       out->stride, 3)) {
            image_free(out);
            out = nullptr;
        }
        return out;
    });
}

void BM_Rotate90_Lumora(benchmark::State& state) {
    run(state, [](const Image* s) { return image_rotate90(s, 1); });
}

void BM_Rotate90_Lumora_CounterClockwise(benchmark::State& state) {
    run(state, [](const Image* s) { return image_rotate90(s, 0); });
}

void BM_Rotate90_PerPixel(benchmark::State& state) {
    run(state, [](const Image* s) { return rotate_plain(s, 1); });
}

// The floor under every transform of the picture: a new one and a copy of each row.
void BM_Flip_RowCopyFloor(benchmark::State& state) {
    run(state, [](const Image* s) { return image_flip(s); });
}

}  // namespace

BENCHMARK(BM_Resize_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_LumoraWithoutSse2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_PlainLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Resize_StbImageResize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate90_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate90_Lumora_CounterClockwise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rotate90_PerPixel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Flip_RowCopyFloor)->Unit(benchmark::kMillisecond);
