// JPEG speed under Wine or Windows, on the folder of 12-megapixel photos
// that bench/jpeg-peers.sh makes: load_image against the stb_image path and
// against libjpeg-turbo's tjDecompress2 into a same-sized bottom-up buffer
// (best of 7 each, in the same run), then the Next command's latency on the
// real main window, from the command to the end of its paint, stepping at
// one picture a second so the read-ahead has its time.
// Usage: jpeg_bench.exe FOLDER (holding smooth-420.jpg, detailed-444.jpg and step*.jpg)
#include <stdlib.h>

#include <algorithm>
#include <vector>

#include <turbojpeg.h>

#include "app/open_commands.h"
#include "bench/win32/bench_support.h"
#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/loader.h"
#include "core/stb_adapter.h"
#include "res/resource.h"
#include "viewer/read_ahead.h"

namespace {

const int kRounds = 7;

typedef bool (*Decode)(const char* path);

bool lumora(const char* path) {
    char message[kMessageBytes];
    Image* image = load_image(path, message);
    image_free(image);
    return image != nullptr;
}

bool stb(const char* path) {
    char message[kMessageBytes];
    Image* image = load_with_stb(path, message);
    image_free(image);
    return image != nullptr;
}

bool turbo(const char* path) {
    FileBytes file;
    if (file_bytes_read(path, (size_t)1 << 30, &file) != kFileReadOk) return false;
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, space = 0;
    bool ok = tjDecompressHeader3(tj, file.data, (unsigned long)file.size, &w, &h, &sub, &space) == 0;
    int stride = image_stride_for(w);
    uint8_t* pixels = ok ? (uint8_t*)calloc((size_t)stride * h, 1) : nullptr;
    ok = pixels && tjDecompress2(tj, file.data, (unsigned long)file.size, pixels, w, stride, h, TJPF_BGR,
                                 TJFLAG_BOTTOMUP) == 0;
    free(pixels);
    tjDestroy(tj);
    file_bytes_free(&file);
    return ok;
}

double best_of(Decode decode, const std::string& path) {
    double best = 1e30;
    for (int r = 0; r < kRounds; ++r) {
        double t0 = now_ms();
        if (!decode(path.c_str())) return -1;
        best = std::min(best, now_ms() - t0);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: jpeg_bench FOLDER\n");
        return 2;
    }
    std::string folder = std::string(argv[1]) + "\\";
    for (const char* name : {"smooth-420.jpg", "detailed-444.jpg"}) {
        const std::string path = folder + name;
        double l = best_of(lumora, path), s = best_of(stb, path), t = best_of(turbo, path);
        printf("%-17s load_image %7.1f ms, stb_image path %7.1f ms, tjDecompress2 floor %7.1f ms:"
               " %.2fx faster than stb, %.2fx the floor\n",
               name, l, s, t, s / l, l / t);
    }
    fflush(stdout);

    HWND window = open_bench_window();
    if (!window || !OpenFileInViewer((folder + "step00.jpg").c_str())) {
        fprintf(stderr, "jpeg_bench: no window or no step00.jpg\n");
        return 1;
    }
    std::vector<double> steps, commands;
    const int served = ReadAheadServed();
    for (int n = 0; n < 12; ++n) {
        // One picture a second: the user looks, the read-ahead works.
        for (double until = now_ms() + 1000; now_ms() < until;) {
            pump();
            Sleep(10);
        }
        double t0 = now_ms();
        SendMessageA(window, WM_COMMAND, IDM_GO_NEXT, 0);
        commands.push_back(now_ms() - t0);
        UpdateWindow(window);
        GdiFlush();
        steps.push_back(now_ms() - t0);
    }
    std::sort(steps.begin(), steps.end());
    std::sort(commands.begin(), commands.end());
    printf("Next with read-ahead, command to painted, 12 steps at 1/s: median %.1f ms (fastest %.1f, slowest %.1f);"
           " the command alone %.1f ms; %d of 12 pictures read ahead\n",
           steps[steps.size() / 2], steps.front(), steps.back(), commands[commands.size() / 2],
           ReadAheadServed() - served);
    DestroyWindow(window);
    return 0;
}
