// Times the Thumbnails fill on the real main window, under Wine or Windows:
// the first fill of a folder (empty cache) with the decoding workers and on
// one thread, and the warm fill that comes from the cache. Prints
// milliseconds per whole fill.
// Usage: thumb_bench <folder of pictures> [warm rounds] [cold rounds, 0: warm only]
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/win32/bench_support.h"
#include "browser/browser_state.h"
#include "ui/file_list.h"
#include "browser/thumb_cache.h"
#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/bridge.h"
#include "shell/settings.h"
#include "app/main_window.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

// One whole fill as the browser runs it, the folder scan included.
double timed_fill(const std::string& folder, bool cold, int* decodes) {
    if (cold) clear_thumbnail_cache();
    thumbnails_take_decode_count();
    double t0 = now_ms();
    scan_folder((folder + "*").c_str());
    fill_thumbnail_view();
    GdiFlush();
    double t = now_ms() - t0;
    *decodes = thumbnails_take_decode_count();
    pump();
    return t;
}

void report(const char* label, std::vector<double> times, int decodes) {
    std::sort(times.begin(), times.end());
    double total = 0;
    for (double t : times) total += t;
    printf("%-34s best %8.1f  median %8.1f  mean %8.1f ms/fill  (%d items, %d decodes per fill)\n", label,
           times.front(), times[times.size() / 2], total / times.size(),
           (int)SendMessageA(g_browser.list, LVM_GETITEMCOUNT, 0, 0), decodes);
}

// The two steps of a first fill for one picture, each timed alone: the
// decode (what the workers take over) and the render (left on the
// interface thread).
void time_steps(const char* path) {
    char message[kMessageBytes];
    HDC screen = GetDC(nullptr);
    std::vector<double> decode, render;
    for (int r = 0; r < 3; ++r) {
        double t0 = now_ms();
        Image* image = load_upright_image(path, message);
        double t1 = now_ms();
        if (!image) break;
        HBITMAP bitmap = render_thumbnail(image, g_settings.ThumbSize, screen);
        GdiFlush();
        render.push_back(now_ms() - t1);
        decode.push_back(t1 - t0);
        DeleteObject(bitmap);
        image_free(image);
    }
    ReleaseDC(nullptr, screen);
    if (decode.empty()) return;
    std::sort(decode.begin(), decode.end());
    std::sort(render.begin(), render.end());
    printf("one picture: decode best %.1f ms, render best %.1f ms\n", decode.front(), render.front());
}

// The cache reads of a warm fill alone, without the image list and the items.
double time_cache_reads() {
    HDC screen = GetDC(nullptr);
    double t0 = now_ms();
    int n = g_file_list.count < kMaxThumbnailItems ? g_file_list.count : kMaxThumbnailItems;
    for (int i = 0; i < n; ++i) {
        ThumbKey key = {g_file_list.path[i], g_file_list.modified[i], g_file_list.size[i], g_settings.ThumbSize};
        HBITMAP b = load_cached_thumbnail(key, screen);
        if (b) DeleteObject(b);
    }
    double t = now_ms() - t0;
    ReleaseDC(nullptr, screen);
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: thumb_bench <folder> [warm rounds] [cold rounds]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    int warm_rounds = argc > 2 ? atoi(argv[2]) : 10, cold_rounds = argc > 3 ? atoi(argv[3]) : 2;
    if (warm_rounds < 1) warm_rounds = 1;
    if (cold_rounds < 0) cold_rounds = 0;  // 0: warm fills only, after one untimed fill

    HWND window = open_bench_window();
    if (!window) return 1;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string cache_home = std::string(temp) + "lumora-thumb-bench\\";
    CreateDirectoryA(cache_home.c_str(), nullptr);
    thumb_cache_use_temp_folder(cache_home.c_str());  // never the user's own cache
    g_frame.BrowseMode = true;
    g_settings.BrowseView = 0;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    printf("folder %s, ThumbSize %d, %lu processors\n", folder.c_str(), g_settings.ThumbSize,
           (unsigned long)info.dwNumberOfProcessors);

    scan_folder((folder + "*").c_str());
    if (g_file_list.count > 0) time_steps(g_file_list.path[0]);

    // Cold fills alternate, so that neither kind always runs on warmer file caches.
    std::vector<double> cold[2];
    int decodes[2] = {0, 0};
    for (int r = 0; r < cold_rounds; ++r)
        for (int one = 0; one < 2; ++one) {
            thumbnails_use_one_thread(one != 0);
            cold[one].push_back(timed_fill(folder, true, &decodes[one]));
        }
    if (cold_rounds) {
        report("first fill, decoding workers", cold[0], decodes[0]);
        report("first fill, one thread", cold[1], decodes[1]);
        std::sort(cold[0].begin(), cold[0].end());
        std::sort(cold[1].begin(), cold[1].end());
        printf("workers speed-up over one thread (best against best): %.2fx\n", cold[1].front() / cold[0].front());
    } else {
        timed_fill(folder, false, &decodes[0]);
    }

    for (int one = 0; one < 2; ++one) {
        thumbnails_use_one_thread(one != 0);
        std::vector<double> warm;
        int hits = 0;
        for (int r = 0; r < warm_rounds; ++r) warm.push_back(timed_fill(folder, false, &hits));
        report(one ? "warm fill from the cache, one thread" : "warm fill from the cache", warm, hits);
    }
    double reads = 1e9;
    for (int r = 0; r < warm_rounds; ++r) reads = std::min(reads, time_cache_reads());
    double scan = 1e9;
    for (int r = 0; r < warm_rounds; ++r) {
        double t0 = now_ms();
        scan_folder((folder + "*").c_str());
        scan = std::min(scan, now_ms() - t0);
    }
    printf("of which the cache reads alone: best %.1f ms, the folder scan alone: best %.1f ms\n", reads, scan);
    clear_thumbnail_cache();
    DestroyWindow(window);
    pump();
    free_file_list();
    return 0;
}
