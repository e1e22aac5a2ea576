// load_image of a 12-megapixel lossy WebP (bench/make-jpeg-photos.sh) against
// libwebp's own one-call decode of the same file into a same-sized buffer,
// the floor dwebp stands on: the cost of the incremental decoder, which keeps
// a cut file's rows, and of writing the rows bottom-up.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <string>

#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/loader.h"
#include "webp/decode.h"

namespace {

const char kPhoto[] = LUMORA_BENCH_PHOTOS "/smooth.webp";

void webp_lumora(benchmark::State& state) {
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_image(kPhoto, message);
        if (!image) state.SkipWithError(message);
        image_free(image);
    }
}

void webp_floor(benchmark::State& state) {
    for (auto _ : state) {
        FileBytes file;
        if (file_bytes_read(kPhoto, (size_t)1 << 30, &file) != kFileReadOk) state.SkipWithError("read");
        int w = 0, h = 0;
        WebPGetInfo(file.data, file.size, &w, &h);
        const int stride = image_stride_for(w);
        uint8_t* pixels = (uint8_t*)calloc((size_t)stride * h, 1);
        if (!WebPDecodeBGRInto(file.data, file.size, pixels, (size_t)stride * h, stride)) state.SkipWithError("decode");
        benchmark::DoNotOptimize(pixels);
        free(pixels);
        file_bytes_free(&file);
    }
}

}  // namespace

BENCHMARK(webp_lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(webp_floor)->Unit(benchmark::kMillisecond);
