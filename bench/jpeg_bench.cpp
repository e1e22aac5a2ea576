// load_image of 12-megapixel JPEGs (bench/make-jpeg-photos.sh) against the
// stb_image path it replaced and against libjpeg-turbo's own tjDecompress2
// of the same file into a same-sized bottom-up buffer, the floor.
#include <benchmark/benchmark.h>

#include <string>

#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#ifdef LUMORA_BENCH_TURBOJPEG
#include <turbojpeg.h>
#endif

namespace {

std::string photo(const char* name) { return std::string(LUMORA_BENCH_PHOTOS) + "/" + name; }

void load_by(benchmark::State& state, const char* name, Image* (*load)(const char*, char*)) {
    std::string path = photo(name);
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load(path.c_str(), message);
        if (!image) state.SkipWithError(message);
        image_free(image);
    }
}

void load_lumora(benchmark::State& state, const char* name) { load_by(state, name, load_image); }
void load_stb(benchmark::State& state, const char* name) { load_by(state, name, load_with_stb); }

#ifdef LUMORA_BENCH_TURBOJPEG
// Reading the file and decoding it bottom-up, blue-green-red, into a fresh
// buffer of the picture's padded rows: everything load_image has to do.
void turbo_floor(benchmark::State& state, const char* name) {
    std::string path = photo(name);
    for (auto _ : state) {
        FileBytes file;
        if (file_bytes_read(path.c_str(), (size_t)1 << 30, &file) != kFileReadOk) state.SkipWithError("read");
        tjhandle tj = tjInitDecompress();
        int w = 0, h = 0, sub = 0, space = 0;
        tjDecompressHeader3(tj, file.data, (unsigned long)file.size, &w, &h, &sub, &space);
        int stride = image_stride_for(w);
        uint8_t* pixels = (uint8_t*)calloc((size_t)stride * h, 1);
        if (tjDecompress2(tj, file.data, (unsigned long)file.size, pixels, w, stride, h, TJPF_BGR, TJFLAG_BOTTOMUP) != 0)
            state.SkipWithError(tjGetErrorStr2(tj));
        benchmark::DoNotOptimize(pixels);
        free(pixels);
        tjDestroy(tj);
        file_bytes_free(&file);
    }
}
BENCHMARK_CAPTURE(turbo_floor, smooth_420, "smooth-420.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(turbo_floor, detailed_444, "detailed-444.jpg")->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_CAPTURE(load_lumora, smooth_420, "smooth-420.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_stb, smooth_420, "smooth-420.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_lumora, detailed_444, "detailed-444.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_stb, detailed_444, "detailed-444.jpg")->Unit(benchmark::kMillisecond);
