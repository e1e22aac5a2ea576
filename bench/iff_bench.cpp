// An 8-plane 1280 x 1024 ILBM written by netpbm's ppmtoilbm, ByteRun1-packed
// and stored: Lumora's load of the file against ilbmtoppm run as a whole
// process on the same file (output to /dev/null), and against a memcpy of the
// picture's bytes. Built where netpbm is installed (scripts/setup.sh).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/iff.h"

extern char** environ;

namespace {

const int kWidth = 1280, kHeight = 1024;

// Runs a program with stdin from `in` (or none) and stdout to `out`; true
// when it ends with status 0.
bool run(const std::vector<const char*>& argv, const char* in, const char* out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (in) posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const char* a : argv) args.push_back(const_cast<char*>(a));
    args.push_back(nullptr);
    pid_t pid = 0;
    int status = -1;
    bool ok = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0 &&
              waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return ok;
}

// 256 colours in bands a few pixels wide with some noise, like a dithered
// photo: runs for ByteRun1 but not long ones.
std::string make_file(const char* method) {
    std::string ppm = "/tmp/lumora-iff-bench.ppm", path = std::string("/tmp/lumora-iff-bench-") + method + ".iff";
    FILE* f = fopen(ppm.c_str(), "wb");
    if (!f) return path;
    fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
    std::vector<uint8_t> row((size_t)kWidth * 3);
    uint32_t seed = 99;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            unsigned i = ((x / 5 + y / 7) + ((seed >> 16) % 3)) & 255;
            uint8_t* p = &row[(size_t)x * 3];
            p[0] = (uint8_t)i, p[1] = (uint8_t)(i * 37), p[2] = (uint8_t)(255 - i);
        }
        fwrite(row.data(), 1, row.size(), f);
    }
    fclose(f);
    run({"ppmtoilbm", "-maxplanes", "8", "-cmethod", method, ppm.c_str()}, nullptr, path.c_str());
    return path;
}

const std::string& packed_file() { static std::string p = make_file("byterun1"); return p; }
const std::string& stored_file() { static std::string p = make_file("none"); return p; }

void decode_lumora(benchmark::State& state, const std::string& path) {
    char message[kMessageBytes];
    for (auto _ : state) {
        Image* image = load_iff(path.c_str(), message);
        if (!image || image->width != kWidth) state.SkipWithError(image ? "wrong size" : message);
        benchmark::DoNotOptimize(image);
        image_free(image);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

void decode_netpbm(benchmark::State& state, const std::string& path) {
    for (auto _ : state)
        if (!run({"ilbmtoppm", path.c_str()}, nullptr, "/dev/null")) state.SkipWithError("ilbmtoppm failed");
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 3);
}

void BM_Ilbm8Packed_Lumora(benchmark::State& s) { decode_lumora(s, packed_file()); }
void BM_Ilbm8Packed_Ilbmtoppm(benchmark::State& s) { decode_netpbm(s, packed_file()); }
void BM_Ilbm8Stored_Lumora(benchmark::State& s) { decode_lumora(s, stored_file()); }
void BM_Ilbm8Stored_Ilbmtoppm(benchmark::State& s) { decode_netpbm(s, stored_file()); }

// The floor: copying the picture's bytes once.
void BM_Ilbm8_Memcpy(benchmark::State& state) {
    size_t bytes = (size_t)((3 * kWidth + 3) & ~3) * kHeight;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)bytes);
}

}  // namespace

BENCHMARK(BM_Ilbm8Packed_Lumora)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ilbm8Packed_Ilbmtoppm)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ilbm8Stored_Lumora)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ilbm8Stored_Ilbmtoppm)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Ilbm8_Memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
