// What the Windows benchmarks share: a millisecond clock, the message pump,
// the real main window made through the program's own code, and a folder of
// many small files. Header-only: each benchmark is a program of its own.
#pragma once
#include <windows.h>
#include <stdio.h>

#include <string>

#include "platform/bridge.h"
#include "shell/settings.h"
#include "app/main_window.h"

inline double now_ms() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return 1000.0 * (double)t.QuadPart / (double)f.QuadPart;
}

inline void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The main window, shown, with every setting at its default: the user's
// registry is neither read nor written. None when it cannot be made.
inline HWND open_bench_window() {
    bridge_init();
    settings_set_defaults(&g_settings);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterMainWindowClass(instance, nullptr)) return nullptr;
    HWND window = CreateMainWindow(instance);
    if (!window) return nullptr;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pump();
    return window;
}

// "<temp>\<name>\" holding `count` small files p00000.jpg.. (every third a
// .png), written in a shuffled order so that the folder's own order is not
// the sorted one, and `folders` subfolders sub0..; made once, kept between runs.
inline std::string make_bench_folder(const char* name, int count, int folders = 0) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    char last[32];
    snprintf(last, sizeof last, "p%05d.%s", count - 1, (count - 1) % 3 ? "jpg" : "png");
    bool made = GetFileAttributesA((folder + last).c_str()) != INVALID_FILE_ATTRIBUTES;
    for (int i = 0; i < count && !made; ++i) {
        int n = (int)(((long long)i * 7919) % count);
        char file[32];
        snprintf(file, sizeof file, "p%05d.%s", n, n % 3 ? "jpg" : "png");
        HANDLE h = CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        DWORD written;
        WriteFile(h, file, (DWORD)(n % 17), &written, nullptr);
        CloseHandle(h);
    }
    for (int i = 0; i < folders; ++i) CreateDirectoryA((folder + "sub" + std::to_string(i)).c_str(), nullptr);
    return folder;
}
