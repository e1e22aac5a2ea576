// Times a print job from Print to the job handed to the spooler: a contact
// sheet of the first `count` photos photo000.jpg.. of a folder, on the
// default printer. Arguments: the folder (Windows path), the count.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "bench/win32/bench_support.h"
#include "print/print.h"
#include "print/print_dialog.h"
#include "print/print_layout_pure.h"
#include "print/print_state.h"

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        fprintf(stderr, "usage: print_bench <folder> [count]\n");
        return 2;
    }
    HWND window = open_bench_window();
    if (!window) return 1;
    const int count = argc > 2 ? atoi(argv[2]) : 100;
    PrintSource source = {{}, nullptr, nullptr};
    for (int i = 0; i < count; ++i) {
        char name[32];
        snprintf(name, sizeof name, "photo%03d.jpg", i);
        source.paths.push_back(std::string(argv[1]) + "\\" + name);
    }
    g_print.layout = kContactSheet;
    double t0 = now_ms();
    RunPrintJob(window, source);
    printf("contact sheet of %d photos: %.0f ms from Print to the spooled job\n", count, now_ms() - t0);
    FreePrintState();
    DestroyWindow(window);
    return 0;
}
