// An A4 fax page (1728 x 2286, lines of blocky glyphs) in Group 3 1-D,
// Group 3 2-D and Group 4, each in one strip written by libtiff: Lumora's
// decoder on the strip's bytes against libtiff decoding the same strip.
#ifdef LUMORA_BENCH_LIBTIFF
#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <string>
#include <vector>

#include "core/fax.h"

namespace {

const int kWidth = 1728, kHeight = 2286;

struct Coded {
    std::string path;
    FaxCoding coding;
    std::vector<uint8_t> strip;
};

// Writes the page with libtiff and keeps its raw strip; empty on failure.
Coded make_page(int which) {
    static const FaxCoding kCodings[] = {kFaxGroup3OneD, kFaxGroup3TwoD, kFaxGroup4};
    Coded c = {"/tmp/lumora-fax-bench-" + std::to_string(which) + ".tif", kCodings[which], {}};
    TIFF* t = TIFFOpen(c.path.c_str(), "w");
    if (!t) return c;
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, kHeight);
    TIFFSetField(t, TIFFTAG_COMPRESSION, which == 2 ? COMPRESSION_CCITTFAX4 : COMPRESSION_CCITTFAX3);
    if (which < 2) TIFFSetField(t, TIFFTAG_GROUP3OPTIONS, which == 1 ? GROUP3OPT_2DENCODING : 0);
    std::vector<uint8_t> row(kWidth / 8);
    uint32_t seed = 7;
    std::vector<uint8_t> glyphs(kWidth / 18);
    for (int y = 0; y < kHeight; ++y) {
        std::fill(row.begin(), row.end(), 0);
        int line = y % 40, margin = 100;
        if (line == 0)
            for (uint8_t& g : glyphs) seed = seed * 1103515245u + 12345u, g = (uint8_t)(seed >> 16);
        // Glyphs of 5 x 7 cells of 3 x 3 pixels, one in eight cells a space.
        if (line < 21 && y > 150 && y < kHeight - 150)
            for (int x = margin; x < kWidth - margin; ++x) {
                int cell = x / 18, gx = x % 18 / 3, gy = line / 3;
                uint8_t g = glyphs[cell];
                bool ink = gx < 5 && (g & 7) != 0 && ((g >> (gx + gy) % 8) & 1) != ((gx * gy) & 1);
                if (ink) row[x / 8] |= (uint8_t)(0x80 >> (x % 8));
            }
        TIFFWriteScanline(t, row.data(), (uint32_t)y, 0);
    }
    TIFFClose(t);
    t = TIFFOpen(c.path.c_str(), "r");
    if (!t) return c;
    c.strip.resize((size_t)TIFFRawStripSize(t, 0));
    TIFFReadRawStrip(t, 0, c.strip.data(), (tmsize_t)c.strip.size());
    TIFFClose(t);
    return c;
}

const Coded& page(int which) {
    static Coded pages[3] = {make_page(0), make_page(1), make_page(2)};
    return pages[which];
}

const char* const kNames[] = {"g3-1d", "g3-2d", "g4"};

void BM_FaxLumora(benchmark::State& state) {
    const Coded& c = page((int)state.range(0));
    std::vector<uint8_t> out((size_t)kWidth * kHeight);
    for (auto _ : state) {
        decode_fax_strip(c.strip.data(), c.strip.size(), kWidth, kHeight, c.coding, 0, out.data());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetLabel(std::string(kNames[state.range(0)]) + ", " + std::to_string(c.strip.size()) + " bytes");
}

void BM_FaxLibtiff(benchmark::State& state) {
    const Coded& c = page((int)state.range(0));
    TIFF* t = TIFFOpen(c.path.c_str(), "r");
    if (!t) {
        state.SkipWithError("libtiff cannot open the page");
        return;
    }
    std::vector<uint8_t> out((size_t)TIFFStripSize(t));
    for (auto _ : state) {
        TIFFReadEncodedStrip(t, 0, out.data(), (tmsize_t)out.size());
        benchmark::DoNotOptimize(out.data());
    }
    TIFFClose(t);
    state.SetLabel(kNames[state.range(0)]);
}

BENCHMARK(BM_FaxLumora)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FaxLibtiff)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
#endif
