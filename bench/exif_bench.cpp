// Opening a 12-megapixel photo that carries an EXIF orientation: the EXIF
// reader walks the segment headers and reads the APP1 segment alone; the
// peer is what it did before, reading the whole file into memory first.
#include <benchmark/benchmark.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/exif.h"
#include "core/file_bytes.h"
#include "core/load_set.h"
#include "core/loader.h"
#include "core/stb_adapter.h"

namespace {

const int kWidth = 4000, kHeight = 3000;

// The photo as a JPEG of quality 90 with an APP1 "Exif" segment right after
// the start of the image: one IFD whose only entry is the orientation, 1, so
// the open costs no turn.
std::string make_photo() {
    std::string path = "/tmp/lumora-exif-bench.jpg";
    // Gradients with a little noise, so the file has a photo's size.
    Image* image = image_create(kWidth, kHeight);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = (int)((seed >> 16) & 15);
            image_set_pixel(image, x, y, (uint8_t)(x * 255 / kWidth + noise), (uint8_t)(y * 255 / kHeight + noise),
                            (uint8_t)((x + y) / 30 + noise));
        }
    bool saved = save_image(path.c_str(), image, kSaveJpeg, 90);
    image_free(image);
    FileBytes file;
    if (!saved || file_bytes_read(path.c_str(), (size_t)1 << 30, &file) != kFileReadOk) return "";
    const uint8_t app1[] = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                            0x12, 0x01, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> bytes(file.data, file.data + 2);
    bytes.insert(bytes.end(), app1, app1 + sizeof app1);
    bytes.insert(bytes.end(), file.data + 2, file.data + file.size);
    file_bytes_free(&file);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return "";
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return path;
}

const std::string& upright_photo() {
    static std::string path = make_photo();
    return path;
}

// The reader as it was: the whole file into memory, then the segments.
int orientation_from_whole_file(const char* path) {
    int orientation = 1;
    FileBytes file;
    if (file_bytes_read(path, 30000000, &file) != kFileReadOk) return orientation;
    read_exif_data(file.data, file.size, &orientation, nullptr, 0, nullptr, 0, nullptr, 0);
    file_bytes_free(&file);
    return orientation;
}

void BM_Orientation_SegmentOnly(benchmark::State& state) {
    const char* path = upright_photo().c_str();
    for (auto _ : state) {
        int orientation = 0;
        read_exif(path, &orientation, nullptr, 0, nullptr, 0, nullptr, 0);
        benchmark::DoNotOptimize(orientation);
    }
}

void BM_Orientation_WholeFile(benchmark::State& state) {
    const char* path = upright_photo().c_str();
    for (auto _ : state) benchmark::DoNotOptimize(orientation_from_whole_file(path));
}

// The whole open: decoding plus the orientation.
void BM_Open_LoadImageSet(benchmark::State& state) {
    const char* path = upright_photo().c_str();
    char message[kMessageBytes];
    for (auto _ : state) {
        ImageSet set = {};
        if (load_image_set(path, &set, message) != kLoadSetOk) state.SkipWithError(message);
        image_set_free(&set);
    }
}

void BM_Open_DecodeAndWholeFileExif(benchmark::State& state) {
    const char* path = upright_photo().c_str();
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_image(path, message);
        if (!image) state.SkipWithError(message);
        benchmark::DoNotOptimize(orientation_from_whole_file(path));
        image_free(image);
    }
}

}  // namespace

BENCHMARK(BM_Orientation_SegmentOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Orientation_WholeFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Open_LoadImageSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Open_DecodeAndWholeFileExif)->Unit(benchmark::kMillisecond);
