// A real main window made through the program's own code, with the settings
// key emptied for the test and put back afterwards. Tests built on it include
// nothing it includes already.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "ui/file_list.h"
#include "platform/bridge.h"
#include "shell/settings.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/registry_snapshot.h"
#include "viewer/document.h"
#include "app/open_commands.h"
#include "viewer/navigation.h"
#include "app/main_window.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

// A colour unlike its neighbours, so that moved, cut or scaled pixels show.
inline uint32_t pattern_colour(int x, int y) {
    return (uint32_t)((x * 7 + y * 3) & 255) << 16 | (uint32_t)((y * 5 + 40) & 255) << 8 | (uint32_t)((x * 11 + 90) & 255);
}

// A w x h picture with colour(x, y) as 0xRRGGBB at every pixel; gray without one.
inline Image* make_picture(int w, int h, uint32_t (*colour)(int, int) = nullptr) {
    Image* image = image_create(w, h);
    if (!image) return nullptr;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = colour ? colour(x, y) : 0x808080;
            image_set_pixel(image, x, y, (uint8_t)c, (uint8_t)(c >> 8), (uint8_t)(c >> 16));
        }
    return image;
}

// Installs pictures as the open document, as LoadDocument would, showing
// frame `index`; with delays (ms per frame) it is an animation. The
// fixture's CloseDocument frees them.
inline void install_frames(std::vector<Image*> frames, std::vector<int32_t> delays = {}, int index = 0) {
    ImageSet& set = g_viewer.document;
    set.count = (int32_t)frames.size();
    set.frames = (Image**)calloc(frames.size(), sizeof(Image*));
    memcpy(set.frames, frames.data(), frames.size() * sizeof(Image*));
    set.delays = delays.empty() ? nullptr : (int32_t*)calloc(delays.size(), sizeof(int32_t));
    if (set.delays) memcpy(set.delays, delays.data(), delays.size() * sizeof(int32_t));
    g_viewer.frame_index = index;
    g_viewer.shown = set.frames[index];
    g_viewer.loaded_frames = (Image**)calloc(frames.size(), sizeof(Image*));
    memcpy(g_viewer.loaded_frames, frames.data(), frames.size() * sizeof(Image*));
}

// count gray pictures of w x h; an animation when they have a delay.
inline void install_frames(int count, int w = 40, int h = 30, int index = 0, int32_t delay = 0) {
    std::vector<Image*> frames;
    for (int i = 0; i < count; ++i) frames.push_back(make_picture(w, h));
    install_frames(frames, delay ? std::vector<int32_t>(count, delay) : std::vector<int32_t>(), index);
}

inline std::string status_part(int part) {
    char text[512] = "";
    SendMessageA(g_frame.status_bar, SB_GETTEXTA, part, (LPARAM)text);
    return text;
}

inline std::string text_of(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string window_title() { return text_of(g_frame.window); }

// An edited picture's title starts with a star.
inline bool title_starred() { return window_title().rfind("*", 0) == 0; }

inline uint32_t rgb_of(COLORREF c) { return (uint32_t)(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

// A window's client area as 0xRRGGBB, rows top first: what `draw(memory,
// window_dc)` leaves in a 32-bit DIB section of that size filled with `fill`.
template <typename Draw>
std::vector<uint32_t> client_pixels(HWND window, uint32_t fill, Draw draw) {
    RECT r;
    GetClientRect(window, &r);
    std::vector<uint32_t> pixels((size_t)r.right * r.bottom, fill);
    BITMAPINFO info = {{sizeof info.bmiHeader, r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    EXPECT_NE(bits, nullptr) << "no DIB section";
    if (bits) {
        memcpy(bits, pixels.data(), pixels.size() * 4);
        draw(memory, dc);
        GdiFlush();
        memcpy(pixels.data(), bits, pixels.size() * 4);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(window, dc);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

inline void pump_messages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct MainWindowTest : ::testing::Test {
    RegistrySnapshot settings_key{HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora"};
    HWND window = nullptr;
    char cwd[MAX_PATH] = "";  // the file dialogs move the current folder: put back at the end

    // Tests that need stored settings write them before calling this.
    void OpenWindow() {
        bridge_init();
        g_settings = LoadSettings();
        g_viewer.zoom.mode = g_settings.DefaultFit;
        HINSTANCE instance = GetModuleHandleA(nullptr);
        ASSERT_NE(RegisterMainWindowClass(instance, nullptr), 0);
        window = CreateMainWindow(instance);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        pump_messages();
    }
    void SetUp() override {
        GetCurrentDirectoryA(sizeof cwd, cwd);
        OpenWindow();
    }
    void Command(int id) { SendMessageA(window, WM_COMMAND, id, 0); }
    void TearDown() override {
        stop_answering();  // a dialog a failed test left waiting for
        if (window && IsWindow(window)) DestroyWindow(window);
        pump_messages();
        CloseDocument();
        free_file_list();
        g_viewer = viewer_state_defaults();
        g_frame.BrowseMode = false;  // a test that ended in the browser must not hand it to the next
        SetCurrentDirectoryA(cwd);
    }
    // Sets client width (and a fixed height) through the window size.
    void SetClientSize(int width, int height) {
        RECT r = {0, 0, width, height};
        AdjustWindowRectEx(&r, GetWindowLongA(window, GWL_STYLE), GetMenu(window) != nullptr,
                           GetWindowLongA(window, GWL_EXSTYLE));
        SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
        pump_messages();
        RECT c;
        GetClientRect(window, &c);
        if (c.right != width) {  // the menu bar may wrap: correct by the difference
            SetWindowPos(window, nullptr, 0, 0, r.right - r.left + (width - c.right), r.bottom - r.top,
                         SWP_NOMOVE | SWP_NOZORDER);
            pump_messages();
        }
    }
};
