// Times scan_folder on a folder of 10 000 pictures, sorted by name and by
// date, under Wine or Windows. Prints milliseconds per scan.
#include <windows.h>
#include <stdio.h>

#include <string>

#include "browser/file_list.h"
#include "platform/bridge.h"
#include "shell/settings.h"
#include "viewer/viewer_state.h"

static double now_ms() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * (double)t.QuadPart / (double)f.QuadPart;
}

int main(int argc, char** argv) {
    const int kFiles = 10000;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "lumora-scan-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    bool make = GetFileAttributesA((folder + "p09999.jpg").c_str()) == INVALID_FILE_ATTRIBUTES;
    if (make) {
        for (int i = 0; i < kFiles; ++i) {
            char name[32];
            snprintf(name, sizeof name, "p%05d.%s", (i * 7919) % kFiles, i % 3 ? "jpg" : "png");
            HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                DWORD w;
                WriteFile(h, name, (DWORD)(i % 17), &w, nullptr);
                CloseHandle(h);
            }
        }
    }
    bridge_init();
    settings_set_defaults(&g_settings);
    int rounds = argc > 1 ? atoi(argv[1]) : 10;
    const struct { const char* label; int key; } sorts[] = {{"by name", 0}, {"by date", 3}, {"by size", 1}};
    for (auto s : sorts) {
        SortKey = s.key;
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
