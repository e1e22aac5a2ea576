// BMP decoding against stb_image's BMP reader and against a plain copy of the
// pixel bytes (the most any decoder can hope for).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "core/bmp.h"
#include "core/decode_message.h"
#include "tests/support/bmp_builder.h"

unsigned char* stb_reference_load(const unsigned char* data, int size, int* w, int* h);
void stb_reference_free(unsigned char* pixels);

namespace {

const int kWidth = 4000, kHeight = 3000;

std::vector<uint8_t> make_bmp(int bits) {
    BmpLayout s;
    s.width = kWidth;
    s.height = kHeight;
    s.bits = (uint16_t)bits;
    std::vector<uint8_t> b = bmp_headers(s);
    size_t row = bmp_row_bytes(s), start = b.size();
    b.resize(start + row * kHeight);
    uint32_t x = 12345;
    for (size_t i = start; i < b.size(); ++i) {
        x = x * 1103515245u + 12345u;
        b[i] = (uint8_t)(x >> 16);
    }
    return b;
}

const std::vector<uint8_t>& bmp24() {
    static std::vector<uint8_t> b = make_bmp(24);
    return b;
}
const std::vector<uint8_t>& bmp8() {
    static std::vector<uint8_t> b = make_bmp(8);
    return b;
}

void decode_lumora(benchmark::State& state, const std::vector<uint8_t>& file) {
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = decode_bmp(file.data(), file.size(), message);
        if (!image) state.SkipWithError(message);
        benchmark::DoNotOptimize(image);
        image_free(image);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)file.size());
}

void decode_stb(benchmark::State& state, const std::vector<uint8_t>& file) {
    for (auto _ : state) {
        int w = 0, h = 0;
        unsigned char* pixels = stb_reference_load(file.data(), (int)file.size(), &w, &h);
        if (!pixels) state.SkipWithError("stb_image failed");
        benchmark::DoNotOptimize(pixels);
        stb_reference_free(pixels);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)file.size());
}

// The physical limit: the decoded picture's bytes (width x height x 3) copied
// once into a fresh block, as every decoder must at least write them.
void copy_only(benchmark::State& state, const std::vector<uint8_t>& file) {
    static std::vector<uint8_t> source((size_t)kWidth * kHeight * 3, 0x5A);
    for (auto _ : state) {
        uint8_t* copy = (uint8_t*)malloc(source.size());
        memcpy(copy, source.data(), source.size());
        benchmark::DoNotOptimize(copy);
        free(copy);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)file.size());
}

void BM_Bmp24_Lumora(benchmark::State& s) { decode_lumora(s, bmp24()); }
void BM_Bmp24_StbImage(benchmark::State& s) { decode_stb(s, bmp24()); }
void BM_Bmp24_Memcpy(benchmark::State& s) { copy_only(s, bmp24()); }
void BM_Bmp8_Lumora(benchmark::State& s) { decode_lumora(s, bmp8()); }
void BM_Bmp8_StbImage(benchmark::State& s) { decode_stb(s, bmp8()); }
void BM_Bmp8_Memcpy(benchmark::State& s) { copy_only(s, bmp8()); }

}  // namespace

BENCHMARK(BM_Bmp24_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24_StbImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp8_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp8_StbImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp8_Memcpy)->Unit(benchmark::kMillisecond);
