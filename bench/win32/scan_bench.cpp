// Times scan_folder on a folder of 10 000 pictures, sorted by name and by
// date, under Wine or Windows. Prints milliseconds per scan.
#include <windows.h>
#include <stdio.h>

#include <string>

#include "bench/win32/bench_support.h"
#include "ui/file_list.h"
#include "viewer/viewer_state.h"

int main(int argc, char** argv) {
    const int kFiles = 10000;
    std::string folder = make_bench_folder("lumora-scan-bench", kFiles);
    bridge_init();
    settings_set_defaults(&g_settings);
    int rounds = argc > 1 ? atoi(argv[1]) : 10;
    const struct { const char* label; int key; } sorts[] = {{"by name", 0}, {"by date", 3}, {"by size", 1}};
    for (auto s : sorts) {
        g_file_list.SortKey = s.key;
        double best = 1e9, total = 0;
        for (int r = 0; r < rounds; ++r) {
            double t0 = now_ms();
            scan_folder((folder + "*").c_str());
            double t = now_ms() - t0;
            total += t;
            if (t < best) best = t;
        }
        printf("scan_folder %d files %s: best %.1f ms, mean %.1f ms (%d entries)\n", kFiles, s.label, best,
               total / rounds, g_file_list.count);
    }
    free_file_list();
    return 0;
}
