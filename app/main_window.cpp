#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/browse_mode.h"
#include "browser/browser.h"
#include "browser/browser_state.h"
#include "ui/file_list.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "print/print.h"
#include "res/resource.h"
#include "shell/help.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "app/commands.h"
#include "app/context_menu.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "app/incoming_paths.h"
#include "app/layout.h"
#include "viewer/mouse.h"
#include "viewer/playback.h"
#include "viewer/read_ahead.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"
#include "ui/status_bar.h"
#include "ui/work.h"
#include "app/toolbars.h"

const char kMainClassName[] = "LumoraMain";

ATOM RegisterMainWindowClass(HINSTANCE instance, HICON icon) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the view paints every pixel itself
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_VIEWER_MENU);
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
    g_frame.instance = instance;
    StartupRect r;
    startup_window_rect(g_settings, &r);
    int x = r.use_default_position ? CW_USEDEFAULT : r.x;
    int y = r.use_default_position ? CW_USEDEFAULT : r.y;
    HWND window = CreateWindowExA(0, kMainClassName, tr(kTextProduct), kMainWindowStyle, x, y, r.width, r.height,
                                  nullptr, nullptr, instance, nullptr);
    if (window) {
        // The two modes' menus: the class's attached now, the browser's swapped in later.
        g_frame.viewer_menu = GetMenu(window);
        g_frame.browser_menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_BROWSER_MENU));
        SetRecentMenus(g_frame.viewer_menu, g_frame.browser_menu);
        LoadRecentMenus();
    }
    return window;
}

namespace {

// Where a thumbnail finds the viewer's picture of a file.
const Image* picture_as_on_disk(const char* path, uint32_t size, uint64_t modified) {
    return PictureAsOnDisk(path, size, modified);
}

void on_create(HWND window) {
    g_frame.window = window;
    frame_set_hooks(FrameHooks{LayoutMainWindow, RefreshCommandStates});
    browser_set_picture_source(picture_as_on_disk);
    browser_set_rename_notice(FollowRenamedFile);
    CreateToolbar();
    CreateStatusBar();
    UpdateStatusBar();
    DragAcceptFiles(window, TRUE);
    UpdateMenuState();  // also the Thumbnail Size and Large Toolbar Buttons marks
}

void on_destroy() {
    ViewerState& v = g_viewer;
    // Closed in full screen: the window's own place is the one it had before.
    SaveWindowPlacement(g_frame.window, g_frame.fullscreen ? &v.saved_rect : nullptr);
    if (v.slideshow) KillTimer(g_frame.window, kTimerSlideShow);
    DropReadAhead();  // its worker may have a file of the folder open
    CloseDocument();
    QuitHelp();
    ReleaseViewPalette();
    DropScaledCache();
    ReleaseBackBuffer();
    FreePrintState();
    if (g_frame.big_icon) DestroyIcon(g_frame.big_icon);
    if (g_frame.small_icon) DestroyIcon(g_frame.small_icon);
    g_frame.big_icon = g_frame.small_icon = nullptr;
    browser_shutdown();
    destroy_browser_toolbar();
    free_file_list();
    DestroyToolbarBitmap();
    HMENU attached = GetMenu(g_frame.window);
    if (g_frame.viewer_menu && g_frame.viewer_menu != attached) DestroyMenu(g_frame.viewer_menu);
    if (g_frame.browser_menu && g_frame.browser_menu != attached) DestroyMenu(g_frame.browser_menu);
    g_frame.viewer_menu = g_frame.browser_menu = nullptr;
    SetRecentMenus(nullptr, nullptr);
    g_frame.toolbar = g_frame.status_bar = g_frame.page_box = nullptr;
    g_frame.window = nullptr;
    PostQuitMessage(0);
}

// The chrome's strips in the face colour, behind the toolbars too (a
// toolbar leaves its background to the window, and would otherwise draw its
// buttons over what was there: the other mode's buttons, old pressed and
// hover frames). The picture area, or the browser's list, paints itself.
void paint_chrome_background(HWND window, HDC dc) {
    RECT client, view = g_frame.BrowseMode && !g_frame.fullscreen ? browser_list_rect() : GetViewRect();
    GetClientRect(window, &client);
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, view.left, view.top, view.right, view.bottom);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RestoreDC(dc, saved);
}

// Escape ends crop mode first, then the slide show, then full screen.
void on_escape() {
    ViewerState& v = g_viewer;
    if (v.crop_mode) {
        CancelCrop();
    } else if (v.slideshow) {
        StopSlideShow();
    } else if (g_frame.fullscreen) {
        EndFullScreen();
    }
}

void on_timer(WPARAM id) {
    if (id == kTimerSlideShow) SlideShowStep();
    else if (id == kTimerAnimation) AnimationStep();
}

void on_paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (!dc) return;
    if (g_frame.BrowseMode && !g_frame.fullscreen) browser_paint(dc);  // the list and the bars paint themselves
    else PaintView(dc);
    EndPaint(window, &ps);
}

bool on_set_cursor(LPARAM lparam) {
    if (LOWORD(lparam) != HTCLIENT || !g_viewer.shown || g_frame.BrowseMode) return false;
    if (g_viewer.crop_mode) {
        SetCursor(LoadCursor(nullptr, IDC_CROSS));
        return true;
    }
    if (g_viewer.scroll_max_x > 0 || g_viewer.scroll_max_y > 0) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        return true;
    }
    return false;
}

void on_sys_color_change(HWND window, WPARAM wparam, LPARAM lparam) {
    if (g_frame.toolbar) SendMessageA(g_frame.toolbar, WM_SYSCOLORCHANGE, wparam, lparam);
    if (g_frame.browser_toolbar) SendMessageA(g_frame.browser_toolbar, WM_SYSCOLORCHANGE, wparam, lparam);
    if (g_frame.status_bar) SendMessageA(g_frame.status_bar, WM_SYSCOLORCHANGE, wparam, lparam);
    browser_sys_color_change(wparam, lparam);
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT on_notify_format(HWND window, WPARAM wparam, LPARAM lparam) {
    char cls[32] = "";
    if (g_bridge.wide && lparam == NF_QUERY && GetClassNameA((HWND)wparam, cls, sizeof cls) &&
        lstrcmpiA(cls, "ToolbarWindow32") == 0)
        return NFR_UNICODE;
    return DefWindowProcA(window, WM_NOTIFYFORMAT, wparam, lparam);
}

bool on_list_context_menu(HWND window, LPARAM lparam) {
    if (!g_frame.BrowseMode || !g_browser.list || window != g_browser.list) return false;
    POINT at = {(short)LOWORD(lparam), (short)HIWORD(lparam)};
    if (lparam == -1) GetCursorPos(&at);  // from the keyboard
    show_list_context_menu(at.x, at.y);
    return true;
}

LRESULT on_notify(HWND window, WPARAM wparam, LPARAM lparam) {
    NMHDR* header = (NMHDR*)lparam;
    LRESULT result = 0;
    if (browser_notify(header, &result)) return result;
    if (OnToolbarTooltip(header)) return 0;
    return DefWindowProcA(window, WM_NOTIFY, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: on_create(window); return 0;
    case WM_DESTROY: on_destroy(); return 0;
    case WM_SIZE: LayoutMainWindow(); return 0;  // does nothing before the toolbar exists
    case WM_PAINT: on_paint(window); return 0;
    case WM_CLOSE: if (ConfirmDiscard()) DestroyWindow(window); return 0;
    case WM_ERASEBKGND: paint_chrome_background(window, (HDC)wparam); return 1;
    case WM_SYSCOLORCHANGE: on_sys_color_change(window, wparam, lparam); return 0;
    case WM_SETCURSOR: if (on_set_cursor(lparam)) return TRUE; break;
    case WM_COPYDATA: return OnCopyData((const COPYDATASTRUCT*)lparam);
    case WM_OPEN_HANDED_OVER: OnOpenHandedOver(); return 0;
    case WM_INTERFACE_TASK: run_interface_task(wparam, lparam); return 0;
    case WM_NOTIFY: return on_notify(window, wparam, lparam);
    case WM_NOTIFYFORMAT: return on_notify_format(window, wparam, lparam);
    case WM_CONTEXTMENU:
        if (!g_frame.BrowseMode && g_viewer.shown) { OnViewerContextMenu(window, lparam); return 0; }
        if (on_list_context_menu((HWND)wparam, lparam)) return 0;
        break;
    case WM_KEYDOWN: if (wparam == VK_ESCAPE) on_escape(); return 0;
    case WM_COMMAND: if (DispatchCommand(LOWORD(wparam))) return 0; break;
    case WM_TIMER: on_timer(wparam); return 0;
    case WM_HSCROLL: OnScrollMessage(SB_HORZ, wparam); return 0;
    case WM_VSCROLL: OnScrollMessage(SB_VERT, wparam); return 0;
    case WM_INITMENU: UpdateMenuState(); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown((short)LOWORD(lparam), (short)HIWORD(lparam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove((short)LOWORD(lparam), (short)HIWORD(lparam)); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp((short)LOWORD(lparam), (short)HIWORD(lparam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged((HWND)lparam); return 0;
    case WM_LBUTTONDBLCLK: if (!g_viewer.crop_mode) DispatchCommand(IDM_VIEW_FULL_SCREEN); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wparam, lparam); return 0;
    case WM_DROPFILES: OnDropFiles((HDROP)wparam); return 0;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED: return OnPaletteMessage(message, wparam);
    case WM_OPEN_SELECTED: open_selected_item(); return 0;
    case WM_BROWSER_SELECTION: browser_selection_changed(); return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
