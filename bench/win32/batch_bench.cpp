// Times the batch resize of the browser on photos: every photoNNN.jpg of a
// folder, the first `count`, to 50 % as "_resized" JPEGs of quality 90, the
// way Resize Selected does it, on `workers` threads (0: one per processor).
// Arguments: the folder (Windows path), the count, the workers.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "bench/win32/bench_support.h"
#include "browser/browser.h"
#include "ui/status_bar.h"

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        fprintf(stderr, "usage: batch_bench <folder> [count] [workers]\n");
        return 2;
    }
    HWND window = open_bench_window();
    if (!window) return 1;
    const int count = argc > 2 ? atoi(argv[2]) : 100, workers = argc > 3 ? atoi(argv[3]) : 0;
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "photo%03d.jpg", i);
        paths.push_back(std::string(argv[1]) + "\\" + name);
    }
    const BatchRequest request = {kBatchResize, 0, {50, 0, 0}, false, 90};
    ShowProgress(count);
    double t0 = now_ms();
    std::vector<BatchOutcome> outcomes = browser_run_batch(paths, request, workers);
    const double elapsed = now_ms() - t0;
    HideProgress();
    int done = 0;
    for (BatchOutcome outcome : outcomes) done += outcome == kBatchDone;
    printf("%d of %d photos resized to 50 %% on %s: %.0f ms\n", done, count,
           workers == 1 ? "one thread" : "the workers", elapsed);
    DestroyWindow(window);
    return done == count ? 0 : 1;
}
