// PCX decoding of 4000 x 3000 pictures written by netpbm's ppmtopcx, 24-bit
// (three planes of 8 bits) and 16 colours (four planes of 1 bit), against
// netpbm's pcxtoppm decoding the same file as a whole process with its output
// to /dev/null, and against a copy of the decoded picture's bytes. A fresh
// 36 MB picture costs a page fault per 4 KB, which on some virtual machines
// outweighs the decoding (pcxtoppm streams its rows and never holds one): the
// "Warm" runs keep freed blocks in the heap, so they show the decoding alone.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/pcx.h"

extern char** environ;

namespace {

const int kWidth = 4000, kHeight = 3000;

// Runs a program with stdin and stdout redirected; true when it exits with 0.
bool run(const char* const* argv, const char* in, const char* out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in) posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, (char* const*)argv, environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return status == 0;
}

// A smooth picture with a little noise, like a photo (runs are short), or
// the same in 16 colours; as a PPM handed to ppmtopcx. Empty when that fails.
std::string file_for(bool sixteen) {
    std::string ppm = "/tmp/lumora-bench-pcx.ppm", path = sixteen ? "/tmp/lumora-bench-16.pcx" : "/tmp/lumora-bench-24.pcx";
    FILE* f = fopen(ppm.c_str(), "wb");
    if (!f) return "";
    fprintf(f, "P6 %d %d 255\n", kWidth, kHeight);
    std::vector<uint8_t> row((size_t)kWidth * 3);
    uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            uint8_t* p = &row[(size_t)x * 3];
            p[0] = (uint8_t)((x + y) / 27 + ((seed >> 16) & 3));
            p[1] = (uint8_t)(x / 16);
            p[2] = (uint8_t)(y / 12 + ((seed >> 20) & 1));
            if (sixteen) p[0] &= 0x80, p[1] &= 0xC0, p[2] &= 0x80;  // 2 x 4 x 2 colours
        }
        fwrite(row.data(), 1, row.size(), f);
    }
    fclose(f);
    const char* argv[] = {"ppmtopcx", sixteen ? "-planes" : "-24bit", sixteen ? "4" : nullptr, nullptr};
    bool ok = run(argv, ppm.c_str(), path.c_str());
    remove(ppm.c_str());
    return ok ? path : "";
}

const std::string& file24() {
    static std::string p = file_for(false);
    return p;
}
const std::string& file16() {
    static std::string p = file_for(true);
    return p;
}

void decode_lumora(benchmark::State& state, const std::string& path) {
    if (path.empty()) return state.SkipWithError("ppmtopcx failed");
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_pcx(path.c_str(), message);
        if (!image) state.SkipWithError(message);
        benchmark::DoNotOptimize(image);
        image_free(image);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

// The same with freed blocks kept for the next picture instead of unmapped.
void decode_lumora_warm(benchmark::State& state, const std::string& path) {
    const int kKeep = 1 << 30, kDefault = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, kKeep);
    mallopt(M_TRIM_THRESHOLD, kKeep);
    decode_lumora(state, path);
    mallopt(M_MMAP_THRESHOLD, kDefault);
    mallopt(M_TRIM_THRESHOLD, kDefault);
}

void decode_netpbm(benchmark::State& state, const std::string& path) {
    if (path.empty()) return state.SkipWithError("ppmtopcx failed");
    const char* argv[] = {"pcxtoppm", path.c_str(), nullptr};
    for (auto _ : state)
        if (!run(argv, nullptr, "/dev/null")) state.SkipWithError("pcxtoppm failed");
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

// The physical limit: the decoded picture's bytes copied once into a fresh block.
void copy_only(benchmark::State& state) {
    static std::vector<uint8_t> source((size_t)kWidth * kHeight * 3, 0x5A);
    for (auto _ : state) {
        uint8_t* copy = (uint8_t*)malloc(source.size());
        memcpy(copy, source.data(), source.size());
        benchmark::DoNotOptimize(copy);
        free(copy);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)source.size());
}

void BM_Pcx24_Lumora(benchmark::State& s) { decode_lumora(s, file24()); }
void BM_Pcx24_LumoraWarm(benchmark::State& s) { decode_lumora_warm(s, file24()); }
void BM_Pcx24_Pcxtoppm(benchmark::State& s) { decode_netpbm(s, file24()); }
void BM_Pcx16_Lumora(benchmark::State& s) { decode_lumora(s, file16()); }
void BM_Pcx16_LumoraWarm(benchmark::State& s) { decode_lumora_warm(s, file16()); }
void BM_Pcx16_Pcxtoppm(benchmark::State& s) { decode_netpbm(s, file16()); }
void BM_Pcx_Memcpy(benchmark::State& s) { copy_only(s); }

}  // namespace

BENCHMARK(BM_Pcx24_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx24_LumoraWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx24_Pcxtoppm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx16_Lumora)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx16_LumoraWarm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx16_Pcxtoppm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx_Memcpy)->Unit(benchmark::kMillisecond);
