// TIFF decoding of a 4000 x 3000 RGB picture, uncompressed, PackBits, LZW,
// LZW with the horizontal predictor and Deflate (with and without it), and
// of the same picture with 16-bit samples, against libtiff reading the same
// file by scanlines into a 24-bit buffer (16-bit samples rounded to 8 bits
// as Lumora does). Both read the file from disk (the page cache) each time.
// Built only when libtiff is found.
#ifdef LUMORA_BENCH_LIBTIFF
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <stdlib.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/tiff.h"

namespace {

const int kWidth = 4000, kHeight = 3000;

// A smooth picture with a little noise, like a photo: runs for PackBits,
// repeats for LZW, small differences for the predictor.
std::vector<uint8_t> picture() {
    std::vector<uint8_t> rgb((size_t)kWidth * kHeight * 3);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            uint8_t* p = &rgb[((size_t)y * kWidth + x) * 3];
            p[0] = (uint8_t)((x + y) / 27 + ((seed >> 16) & 3));
            p[1] = (uint8_t)(x / 16);
            p[2] = (uint8_t)(y / 12 + ((seed >> 20) & 1));
        }
    return rgb;
}

// The same picture in 16-bit samples: each value widened, with noise in the
// low byte as a scanner's or camera's samples have.
std::vector<uint16_t> picture16() {
    std::vector<uint8_t> rgb = picture();
    std::vector<uint16_t> deep(rgb.size());
    uint32_t seed = 777;
    for (size_t i = 0; i < rgb.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        deep[i] = (uint16_t)(rgb[i] * 256 + ((seed >> 16) & 0xFF));
    }
    return deep;
}

// Writes the picture with libtiff once per compression and depth; returns the path.
std::string file_for(uint16_t compression, uint16_t predictor, uint16_t bits = 8) {
    std::string path = "/tmp/lumora-bench-" + std::to_string(compression) + "-" + std::to_string(predictor) + "-" +
                       std::to_string(bits) + ".tif";
    static std::vector<uint8_t> rgb = picture();
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t) return path;
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
    if (predictor > 1) TIFFSetField(t, TIFFTAG_PREDICTOR, predictor);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(t, 0));
    for (int y = 0; y < kHeight; ++y) {
        static std::vector<uint16_t> deep = picture16();
        void* row = bits == 16 ? (void*)&deep[(size_t)y * kWidth * 3] : (void*)&rgb[(size_t)y * kWidth * 3];
        TIFFWriteScanline(t, row, (uint32_t)y, 0);
    }
    TIFFClose(t);
    return path;
}

void decode_lumora(benchmark::State& state, const std::string& path) {
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_tiff_first_page(path.c_str(), message);
        if (!image) state.SkipWithError(message);
        benchmark::DoNotOptimize(image);
        image_free(image);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

void decode_libtiff(benchmark::State& state, const std::string& path) {
    TIFFSetWarningHandler(nullptr);
    for (auto _ : state) {
        TIFF* t = TIFFOpen(path.c_str(), "r");
        uint8_t* rgb = (uint8_t*)malloc((size_t)kWidth * kHeight * 3);
        bool ok = t && rgb;
        for (int y = 0; ok && y < kHeight; ++y)
            ok = TIFFReadScanline(t, rgb + (size_t)y * kWidth * 3, (uint32_t)y, 0) > 0;
        if (!ok) state.SkipWithError("libtiff failed");
        benchmark::DoNotOptimize(rgb);
        free(rgb);
        if (t) TIFFClose(t);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

// 16-bit samples by scanlines, each rounded to 8 bits into the 24-bit buffer.
void decode_libtiff16(benchmark::State& state, const std::string& path) {
    TIFFSetWarningHandler(nullptr);
    std::vector<uint16_t> row((size_t)kWidth * 3);
    for (auto _ : state) {
        TIFF* t = TIFFOpen(path.c_str(), "r");
        uint8_t* rgb = (uint8_t*)malloc((size_t)kWidth * kHeight * 3);
        bool ok = t && rgb;
        for (int y = 0; ok && y < kHeight; ++y) {
            ok = TIFFReadScanline(t, row.data(), (uint32_t)y, 0) > 0;
            uint8_t* d = rgb + (size_t)y * kWidth * 3;
            for (size_t i = 0; ok && i < row.size(); ++i) d[i] = (uint8_t)((row[i] * 255u + 32767u) / 65535u);
        }
        if (!ok) state.SkipWithError("libtiff failed");
        benchmark::DoNotOptimize(rgb);
        free(rgb);
        if (t) TIFFClose(t);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

const std::string& none_file() { static std::string p = file_for(COMPRESSION_NONE, 1); return p; }
const std::string& packbits_file() { static std::string p = file_for(COMPRESSION_PACKBITS, 1); return p; }
const std::string& lzw_file() { static std::string p = file_for(COMPRESSION_LZW, 1); return p; }
const std::string& lzw_predictor_file() { static std::string p = file_for(COMPRESSION_LZW, 2); return p; }

const std::string& deflate_file() { static std::string p = file_for(COMPRESSION_ADOBE_DEFLATE, 1); return p; }
const std::string& deflate_predictor_file() {
    static std::string p = file_for(COMPRESSION_ADOBE_DEFLATE, 2);
    return p;
}
const std::string& deep_file() { static std::string p = file_for(COMPRESSION_NONE, 1, 16); return p; }
const std::string& deep_deflate_file() { static std::string p = file_for(COMPRESSION_ADOBE_DEFLATE, 2, 16); return p; }

void BM_TiffNone_Lumora(benchmark::State& s) { decode_lumora(s, none_file()); }
void BM_TiffNone_Libtiff(benchmark::State& s) { decode_libtiff(s, none_file()); }
void BM_TiffPackBits_Lumora(benchmark::State& s) { decode_lumora(s, packbits_file()); }
void BM_TiffPackBits_Libtiff(benchmark::State& s) { decode_libtiff(s, packbits_file()); }
void BM_TiffLzw_Lumora(benchmark::State& s) { decode_lumora(s, lzw_file()); }
void BM_TiffLzw_Libtiff(benchmark::State& s) { decode_libtiff(s, lzw_file()); }
void BM_TiffLzwPredictor_Lumora(benchmark::State& s) { decode_lumora(s, lzw_predictor_file()); }
void BM_TiffLzwPredictor_Libtiff(benchmark::State& s) { decode_libtiff(s, lzw_predictor_file()); }

void BM_TiffDeflate_Lumora(benchmark::State& s) { decode_lumora(s, deflate_file()); }
void BM_TiffDeflate_Libtiff(benchmark::State& s) { decode_libtiff(s, deflate_file()); }
void BM_TiffDeflatePredictor_Lumora(benchmark::State& s) { decode_lumora(s, deflate_predictor_file()); }
void BM_TiffDeflatePredictor_Libtiff(benchmark::State& s) { decode_libtiff(s, deflate_predictor_file()); }
void BM_Tiff16_Lumora(benchmark::State& s) { decode_lumora(s, deep_file()); }
void BM_Tiff16_Libtiff(benchmark::State& s) { decode_libtiff16(s, deep_file()); }
void BM_Tiff16DeflatePredictor_Lumora(benchmark::State& s) { decode_lumora(s, deep_deflate_file()); }
void BM_Tiff16DeflatePredictor_Libtiff(benchmark::State& s) { decode_libtiff16(s, deep_deflate_file()); }

}  // namespace

BENCHMARK(BM_TiffNone_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffNone_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPackBits_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffPackBits_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLzw_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLzw_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLzwPredictor_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffLzwPredictor_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffDeflate_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffDeflate_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffDeflatePredictor_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffDeflatePredictor_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tiff16_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tiff16_Libtiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tiff16DeflatePredictor_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tiff16DeflatePredictor_Libtiff)->Unit(benchmark::kMillisecond);
#endif
