// Embedded colour profiles on a 12-megapixel photo (bench/icc-peers.sh makes
// it): load_image of the Adobe RGB-tagged JPEG with colour management off and
// on, and of the same photo untagged with it on and off, which must cost the
// same. bench/icc-peers.sh times ImageMagick's conversion beside these.
#include <benchmark/benchmark.h>

#include <string>

#include "core/color_profile.h"
#include "core/decode_message.h"
#include "core/loader.h"

namespace {

void load_photo(benchmark::State& state, const char* name, bool profiles) {
    std::string path = std::string(LUMORA_BENCH_PHOTOS) + "/" + name;
    char message[kMessageBytes];
    color_profiles_enable(profiles);
    for (auto _ : state) {
        Image* image = load_image(path.c_str(), message);
        if (!image) state.SkipWithError(message);
        image_free(image);
    }
    color_profiles_enable(true);
}

}  // namespace

BENCHMARK_CAPTURE(load_photo, adobe_off, "adobe-420.jpg", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_photo, adobe_on, "adobe-420.jpg", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_photo, untagged_off, "smooth-420.jpg", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(load_photo, untagged_on, "smooth-420.jpg", true)->Unit(benchmark::kMillisecond);
