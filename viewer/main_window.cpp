#include "viewer/main_window.h"

const char kMainClassName[] = "LumoraMain";

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the view paints every pixel itself
    wc.lpszClassName = kMainClassName;
    ATOM atom = RegisterClassExA(&wc);
    if (!atom && GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
        WNDCLASSEXA existing = {};
        existing.cbSize = sizeof existing;
        atom = (ATOM)GetClassInfoExA(instance, kMainClassName, &existing);
    }
    return atom;
}

HWND CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExA(0, kMainClassName, "Lumora", kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                           kDefaultWindowWidth, kDefaultWindowHeight, nullptr, nullptr, instance, nullptr);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_APPWORKSPACE));
    EndPaint(window, &ps);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
