// Zoom commands, scroll bars, scroll messages, panning, Ctrl + wheel and the
// Custom Scale dialog on the real main window.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "tests/support/main_window_fixture.h"
#include "viewer/layout.h"
#include "viewer/view.h"

namespace {

void install_picture(int w, int h) {
    Image* image = image_create(w, h);
    ASSERT_NE(image, nullptr);
    g_viewer.document.frames = (Image**)calloc(1, sizeof(Image*));
    g_viewer.document.frames[0] = image;
    g_viewer.document.count = 1;
    g_viewer.frame_index = 0;
    g_viewer.shown = image;
    g_viewer.loaded_image = image;
}

std::string status_part(int part) {
    char text[512] = "";
    SendMessageA(g_viewer.status_bar, SB_GETTEXTA, part, (LPARAM)text);
    return text;
}

enum BarState { kBarHidden, kBarDisabled, kBarScrolls };

BarState bar_state(HWND window, LONG object) {
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    LONG style_bit = object == OBJID_HSCROLL ? WS_HSCROLL : WS_VSCROLL;
    if (!(GetWindowLongA(window, GWL_STYLE) & style_bit)) return kBarHidden;
    if (!GetScrollBarInfo(window, object, &info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return kBarHidden;
    return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) ? kBarDisabled : kBarScrolls;
}

// --- Driving the modal Custom Scale dialog from a thread timer -------------

struct DialogScript {
    HWND main_window = nullptr;
    std::vector<std::string> entries;  // typed into the field, each followed by OK
    size_t next = 0;
    bool cancel_at_end = false;        // Cancel once the entries are used up
    bool saw_dialog = false;
    std::string initial_text;
    std::vector<std::string> messages, message_titles;
    int ticks = 0;
};

DialogScript* g_script;

struct Found {
    HWND dialog, box;
};

BOOL CALLBACK find_dialogs(HWND w, LPARAM param) {
    Found* found = (Found*)param;
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
    HWND owner = GetWindow(w, GW_OWNER);
    if (owner == g_script->main_window)
        found->dialog = w;
    else
        found->box = w;  // the message box is owned by the dialog
    return TRUE;
}

std::string message_box_text(HWND box) {
    char text[256] = "";
    if (GetDlgItemTextA(box, 0xFFFF, text, sizeof text)) return text;
    // Otherwise the longest static text of the box.
    std::string best;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0) continue;
        GetWindowTextA(child, text, sizeof text);
        if (strlen(text) > best.size()) best = text;
    }
    return best;
}

void CALLBACK drive_dialog(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript& s = *g_script;
    Found found = {};
    EnumThreadWindows(GetCurrentThreadId(), find_dialogs, (LPARAM)&found);
    if (++s.ticks > 200) {  // a script gone wrong must not hang the run
        if (found.box) PostMessageA(found.box, WM_COMMAND, IDOK, 0);
        if (found.dialog) PostMessageA(found.dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (found.box) {
        s.messages.push_back(message_box_text(found.box));
        char title[64] = "";
        GetWindowTextA(found.box, title, sizeof title);
        s.message_titles.push_back(title);
        PostMessageA(found.box, WM_COMMAND, IDOK, 0);
        return;
    }
    if (!found.dialog) return;
    if (!s.saw_dialog) {
        s.saw_dialog = true;
        char text[64] = "";
        GetDlgItemTextA(found.dialog, 251, text, sizeof text);
        s.initial_text = text;
    }
    if (s.next < s.entries.size()) {
        SetDlgItemTextA(found.dialog, 251, s.entries[s.next++].c_str());
        PostMessageA(found.dialog, WM_COMMAND, IDOK, 0);
    } else if (s.cancel_at_end) {
        PostMessageA(found.dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

void run_custom_scale(HWND window, DialogScript* script) {
    script->main_window = window;
    g_script = script;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, drive_dialog);
    SendMessageA(window, WM_COMMAND, 40086, 0);
    KillTimer(nullptr, timer);
    pump_messages();
    g_script = nullptr;
}

struct ViewZoomTest : MainWindowTest {
    // The view rectangle of the given size (client size less the chrome).
    void SetViewSize(int w, int h) {
        SetClientSize(w, h + 100);
        RECT r = GetViewRect();
        int chrome = h + 100 - (r.bottom - r.top);
        SetClientSize(w, h + chrome);
        r = GetViewRect();
        ASSERT_EQ(r.right - r.left, w);
        ASSERT_EQ(r.bottom - r.top, h);
    }
};

}  // namespace

TEST_F(ViewZoomTest, ViewRectangleLiesBetweenToolbarAndStatusBar) {
    RECT r = GetViewRect(), client, toolbar, status;
    GetClientRect(window, &client);
    GetWindowRect(g_viewer.toolbar, &toolbar);
    GetWindowRect(g_viewer.status_bar, &status);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, client.right);
    EXPECT_EQ(r.top, toolbar.bottom - toolbar.top);
    EXPECT_EQ(r.bottom, client.bottom - (status.bottom - status.top));

    // Full screen: no status bar, and the toolbar only with FsToolbar.
    g_viewer.fullscreen = true;
    g_settings.FsToolbar = 1;
    LayoutMainWindow();
    GetClientRect(window, &client);
    GetWindowRect(g_viewer.toolbar, &toolbar);
    r = GetViewRect();
    EXPECT_EQ(r.top, toolbar.bottom - toolbar.top);
    EXPECT_EQ(r.bottom, client.bottom);
    g_settings.FsToolbar = 0;
    LayoutMainWindow();
    r = GetViewRect();
    EXPECT_EQ(r.top, 0);
    g_viewer.fullscreen = false;

    // Browser mode: the browser's panes own the client area.
    g_viewer.BrowseMode = true;
    r = GetViewRect();
    EXPECT_EQ(r.right - r.left, 0);
    g_viewer.BrowseMode = false;
    LayoutMainWindow();
}

TEST_F(ViewZoomTest, ZoomInFromBestFitStartsAtTheShownScale) {
    SetViewSize(800, 600);
    install_picture(2000, 1000);
    SendMessageA(window, WM_COMMAND, 40020, 0);  // Best Fit
    EXPECT_EQ(g_viewer.zoom.mode, 1);
    EXPECT_EQ(status_part(4), "40%");
    SendMessageA(window, WM_COMMAND, 40022, 0);  // Zoom In
    EXPECT_EQ(g_viewer.zoom.mode, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 0.5);
    int dw, dh;
    GetDisplaySize(&dw, &dh);
    EXPECT_EQ(dw, 1000);
    EXPECT_EQ(dh, 500);
    EXPECT_EQ(status_part(4), "50%");
    SendMessageA(window, WM_COMMAND, 40023, 0);  // Zoom Out
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 0.4);
}

TEST_F(ViewZoomTest, CommandsWithoutAPicture) {
    g_viewer.zoom.mode = 0;
    g_viewer.zoom.scale = 3.0;
    SendMessageA(window, WM_COMMAND, 40022, 0);
    SendMessageA(window, WM_COMMAND, 40084, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 3.0) << "zoom steps and presets need a picture";
    SendMessageA(window, WM_COMMAND, 40020, 0);
    EXPECT_EQ(g_viewer.zoom.mode, 1);
    SendMessageA(window, WM_COMMAND, 40087, 0);
    EXPECT_EQ(g_viewer.zoom.mode, 2);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    EXPECT_EQ(g_viewer.zoom.mode, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 1.0);

    DialogScript script;
    script.cancel_at_end = true;
    run_custom_scale(window, &script);
    EXPECT_FALSE(script.saw_dialog) << "Custom Scale needs a picture";
}

TEST_F(ViewZoomTest, PresetsAndLimits) {
    install_picture(100, 100);
    const struct { int id; double scale; } presets[] = {
        {40080, 0.25}, {40081, 0.5}, {40082, 0.75}, {40083, 1.0}, {40084, 2.0}, {40085, 4.0},
    };
    for (auto p : presets) {
        g_viewer.zoom.mode = 1;
        SendMessageA(window, WM_COMMAND, p.id, 0);
        EXPECT_EQ(g_viewer.zoom.mode, 0) << p.id;
        EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, p.scale) << p.id;
    }
    SetZoomScale(30.0);
    SendMessageA(window, WM_COMMAND, 40022, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 32.0);
    SetZoomScale(0.021);
    SendMessageA(window, WM_COMMAND, 40023, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 0.02);
}

TEST_F(ViewZoomTest, ScrollBarsOnlyForALargerPictureAtFixedScale) {
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarHidden) << "nothing open";
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
    RECT empty_view = GetViewRect();
    install_picture(1000, 800);
    SendMessageA(window, WM_COMMAND, 40021, 0);  // Actual Size
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarScrolls);
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarScrolls);
    RECT r = GetViewRect();
    EXPECT_LT(r.right, empty_view.right) << "the bars take their room from the view";
    EXPECT_LT(r.bottom, empty_view.bottom);
    int view_w = r.right - r.left, view_h = r.bottom - r.top;
    EXPECT_EQ(g_viewer.scroll_max_x, 1000 - view_w);
    EXPECT_EQ(g_viewer.scroll_max_y, 800 - view_h);
    SCROLLINFO si = {sizeof si, SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &si));
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 999);
    EXPECT_EQ(si.nPage, (UINT)view_w);
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 799);
    EXPECT_EQ(si.nPage, (UINT)view_h);

    SendMessageA(window, WM_COMMAND, 40087, 0);  // Shrink to Fit
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarHidden);
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
    EXPECT_EQ(g_viewer.scroll_max_x, 0);
    EXPECT_EQ(g_viewer.scroll_max_y, 0);
    ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 0) << "range 0 in the fit modes";

    CloseDocument();
    install_picture(200, 100);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarHidden) << "smaller than the view at fixed scale";
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
    // Dragging does not pan.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    EXPECT_FALSE(g_viewer.panning);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
}

TEST_F(ViewZoomTest, FullScreenShowsOnlyTheBarThatScrolls) {
    install_picture(200, 100);
    g_viewer.fullscreen = true;  // only the flag: the layout reads it
    SendMessageA(window, WM_COMMAND, 40021, 0);
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarHidden);
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
    CloseDocument();
    install_picture(3000, 100);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    EXPECT_EQ(bar_state(window, OBJID_HSCROLL), kBarScrolls) << "a wide picture still scrolls";
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
    g_viewer.fullscreen = false;
    LayoutMainWindow();
    EXPECT_EQ(bar_state(window, OBJID_VSCROLL), kBarHidden);
}

TEST_F(ViewZoomTest, ScrollMessagesMoveAndStopAtTheEnds) {
    install_picture(3000, 2000);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    RECT r = GetViewRect();
    int view_h = r.bottom - r.top;
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, 40);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 40);
    SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, 40 + view_h);
    for (int i = 0; i < 10; ++i) SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, g_viewer.scroll_max_y) << "page down at the end stays at the limit";
    EXPECT_EQ(GetScrollPos(window, SB_VERT), g_viewer.scroll_max_y);
    SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, g_viewer.scroll_max_y);
    SendMessageA(window, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, g_viewer.scroll_max_y) << "top changes nothing";
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 777), 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 777);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60000), 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, g_viewer.scroll_max_x);
    SendMessageA(window, WM_HSCROLL, SB_LINELEFT, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, g_viewer.scroll_max_x - 40);
    SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, 0);
    SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, 0);
    SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, 0);
    SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, 0);
    SendMessageA(window, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 0);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 0);
}

TEST_F(ViewZoomTest, ScrollSurvivesZoomStepsAndIsClampedByTheLayout) {
    install_picture(3000, 2000);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 2000), 0);
    ASSERT_EQ(g_viewer.zoom.scroll_x, 2000);
    SendMessageA(window, WM_COMMAND, 40023, 0);  // 0.8: 2400 wide, limit 2400 - W
    EXPECT_EQ(g_viewer.zoom.scroll_x, g_viewer.scroll_max_x);
    EXPECT_LT(g_viewer.zoom.scroll_x, 2000);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
    SendMessageA(window, WM_COMMAND, 40022, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 100) << "kept";
    SendMessageA(window, WM_COMMAND, 40084, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 0) << "presets reset";
}

// A picture shown wider than 65535 pixels: the thumb position comes from the
// bar's 32-bit tracking position, not the message's 16 bits.
TEST_F(ViewZoomTest, ThumbBeyondSixteenBits) {
    install_picture(3000, 100);
    SetZoomScale(32.0);  // 96000 wide
    LayoutMainWindow();
    ASSERT_GT(g_viewer.scroll_max_x, 70000);
    SetScrollPos(window, SB_HORZ, 70000, FALSE);  // where the bar's thumb was dropped
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 70000);
}

TEST_F(ViewZoomTest, DraggingPansWithinTheScrollLimits) {
    install_picture(3000, 2000);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ASSERT_TRUE(g_viewer.panning);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 180));
    EXPECT_EQ(g_viewer.zoom.scroll_x, 50);
    EXPECT_EQ(g_viewer.zoom.scroll_y, 20);
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 50);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 20);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    EXPECT_EQ(g_viewer.zoom.scroll_x, 0) << "clamped at the start";
    EXPECT_EQ(g_viewer.zoom.scroll_y, 0);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)-30000, (WORD)-30000));
    EXPECT_EQ(g_viewer.zoom.scroll_x, g_viewer.scroll_max_x) << "clamped at the end";
    EXPECT_EQ(g_viewer.zoom.scroll_y, g_viewer.scroll_max_y);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_FALSE(g_viewer.panning);
}

TEST_F(ViewZoomTest, CtrlWheelKeepsThePointUnderTheCursor) {
    install_picture(2000, 1600);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0);
    RECT r = GetViewRect();
    POINT cursor = {r.left + 250, r.top + 150};
    for (short delta : {120, 120, -120, -120, -120}) {
        POINT before = GetPictureOrigin();
        double scale = g_viewer.zoom.scale;
        double px = (cursor.x - before.x) / scale, py = (cursor.y - before.y) / scale;
        POINT screen = cursor;
        ClientToScreen(window, &screen);
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)delta), MAKELPARAM(screen.x, screen.y));
        double after_scale = g_viewer.zoom.scale;
        EXPECT_DOUBLE_EQ(after_scale, scale * (delta > 0 ? 1.25 : 0.8));
        POINT after = GetPictureOrigin();
        EXPECT_NEAR((cursor.x - after.x) / after_scale, px, 1.0 / after_scale + 1e-9) << delta;
        EXPECT_NEAR((cursor.y - after.y) / after_scale, py, 1.0 / after_scale + 1e-9) << delta;
        EXPECT_EQ(GetScrollPos(window, SB_HORZ), g_viewer.zoom.scroll_x);
    }
}

TEST_F(ViewZoomTest, CustomScaleRefusesOutOfRangeAndAcceptsTheTop) {
    install_picture(400, 300);
    SendMessageA(window, WM_COMMAND, 40021, 0);
    DialogScript script;
    script.entries = {"1", "3201", "abc", "3200"};
    run_custom_scale(window, &script);
    ASSERT_TRUE(script.saw_dialog);
    EXPECT_EQ(script.initial_text, "100");
    ASSERT_EQ(script.messages.size(), 3u) << "1, 3201 and letters keep the dialog open";
    for (size_t i = 0; i < script.messages.size(); ++i) {
        EXPECT_EQ(script.messages[i], "Enter a scale between 2 and 3200.") << i;
        EXPECT_EQ(script.message_titles[i], "Scale") << i;
    }
    EXPECT_EQ(script.next, 4u);
    EXPECT_EQ(g_viewer.zoom.mode, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 32.0);
    EXPECT_EQ(status_part(4), "3200%");
}

TEST_F(ViewZoomTest, CustomScaleStartsFromTheShownScaleAndCancelChangesNothing) {
    SetViewSize(800, 600);
    install_picture(2000, 1000);
    SendMessageA(window, WM_COMMAND, 40020, 0);
    DialogScript script;
    script.cancel_at_end = true;
    run_custom_scale(window, &script);
    ASSERT_TRUE(script.saw_dialog);
    EXPECT_EQ(script.initial_text, "40");
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(g_viewer.zoom.mode, 1) << "Cancel: no change";

    DialogScript accept;
    accept.entries = {"2"};
    run_custom_scale(window, &accept);
    EXPECT_TRUE(accept.messages.empty());
    EXPECT_EQ(g_viewer.zoom.mode, 0);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 0.02);
}
