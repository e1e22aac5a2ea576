// The stb_image adapter against plain library calls on the same 12-megapixel
// files: what load_image adds (reading the file, the size query, turning the
// rows into a bottom-up blue-green-red picture), and save_image likewise.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "core/decode_message.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "stb_image.h"
#include "stb_image_write.h"

namespace {

const int kWidth = 4000, kHeight = 3000;  // 12 megapixels

// A photo-like picture: smooth gradients with a little noise, so neither
// format compresses it to nothing.
Image* photo() {
    static Image* image = nullptr;
    if (image) return image;
    image = image_create(kWidth, kHeight);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = image_row(image, y);
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = (int)((seed >> 16) & 7);
            row[3 * x] = (uint8_t)((x * 255 / kWidth + noise) & 255);
            row[3 * x + 1] = (uint8_t)((y * 255 / kHeight + noise) & 255);
            row[3 * x + 2] = (uint8_t)(((x + y) / 30 + noise) & 255);
        }
    }
    return image;
}

std::string bench_file(int format) {
    static std::string paths[3];
    std::string& path = paths[format];
    if (path.empty()) {
        path = std::string("/tmp/lumora-stb-bench") + (format == kSaveJpeg ? ".jpg" : ".png");
        if (!save_image(path.c_str(), photo(), format, 90)) path.clear();
    }
    return path;
}

void load_lumora(benchmark::State& state, int format) {
    std::string path = bench_file(format);
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_image(path.c_str(), message);
        if (!image) state.SkipWithError(message);
        benchmark::DoNotOptimize(image);
        image_free(image);
    }
}

void load_plain(benchmark::State& state, int format) {
    std::string path = bench_file(format);
    for (auto _ : state) {
        int w = 0, h = 0, n = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 3);
        if (!pixels) state.SkipWithError("stbi_load failed");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

// The packed top-down red-green-blue rows the writer takes.
unsigned char* packed_rgb() {
    static unsigned char* rgb = nullptr;
    if (rgb) return rgb;
    const Image* image = photo();
    rgb = (unsigned char*)malloc((size_t)kWidth * kHeight * 3);
    for (int y = 0; y < kHeight; ++y) {
        const uint8_t* s = image_row(image, y);
        unsigned char* d = rgb + (size_t)y * kWidth * 3;
        for (int x = 0; x < kWidth; ++x) {
            d[3 * x] = s[3 * x + 2];
            d[3 * x + 1] = s[3 * x + 1];
            d[3 * x + 2] = s[3 * x];
        }
    }
    return rgb;
}

void save_lumora(benchmark::State& state, int format) {
    std::string path = std::string("/tmp/lumora-stb-bench-out") + (format == kSaveJpeg ? ".jpg" : ".png");
    const Image* image = photo();
    for (auto _ : state) {
        if (!save_image(path.c_str(), image, format, 90)) state.SkipWithError("save_image failed");
    }
    remove(path.c_str());
}

void save_plain(benchmark::State& state, int format) {
    std::string path = std::string("/tmp/lumora-stb-bench-out") + (format == kSaveJpeg ? ".jpg" : ".png");
    unsigned char* rgb = packed_rgb();
    for (auto _ : state) {
        int ok = format == kSaveJpeg ? stbi_write_jpg(path.c_str(), kWidth, kHeight, 3, rgb, 90)
                                     : stbi_write_png(path.c_str(), kWidth, kHeight, 3, rgb, kWidth * 3);
        if (!ok) state.SkipWithError("stbi_write failed");
    }
    remove(path.c_str());
}

}  // namespace

BENCHMARK_CAPTURE(load_lumora, jpeg_12mp, kSaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_plain, jpeg_12mp, kSaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_lumora, png_12mp, kSavePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_plain, png_12mp, kSavePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save_lumora, jpeg_12mp, kSaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save_plain, jpeg_12mp, kSaveJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save_lumora, png_12mp, kSavePng)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(save_plain, png_12mp, kSavePng)->Unit(benchmark::kMillisecond);
