// The zoom commands, the scroll bars and scroll messages, panning, Ctrl +
// wheel and the Custom Scale dialog on the real main window: each message
// path once. The arithmetic behind them is in tests/native/view_geometry_test.cpp.
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/main_window_fixture.h"
#include "app/layout.h"
#include "viewer/view.h"

namespace {

typedef std::vector<int> Ints;

// The bars whose range is longer than their page, "h", "v" or both: the
// system hides the others.
std::string scrolling_bars(HWND window) {
    std::string bars;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
        if (GetScrollInfo(window, bar, &si) && si.nMax - si.nMin >= (int)si.nPage) bars += bar == SB_HORZ ? "h" : "v";
    }
    return bars;
}

std::string g_initial;  // the Custom Scale field as the dialog opened

std::function<void(HWND)> enter(const char* percent) {
    return [percent](HWND dialog) { SetDlgItemTextA(dialog, IDC_SCALE_PERCENT, percent); };
}

struct ViewZoomTest : MainWindowTest {
    // A menu item's label without its mnemonic mark: "&25%" gives "25%".
    std::string MenuLabel(int id) {
        char text[64] = "";
        GetMenuStringA(GetMenu(window), id, text, sizeof text, MF_BYCOMMAND);
        std::string label;
        for (const char* p = text; *p && *p != '\t'; ++p)
            if (*p != '&') label += *p;
        return label;
    }
};

}  // namespace

TEST_F(ViewZoomTest, ZoomCommandsSetTheScaleTheStatusBarShows) {
    g_viewer.zoom = ZoomState{kZoomFixed, 3.0, 0, 0};
    Command(IDM_VIEW_ZOOM_IN);
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 3.0) << "a zoom step needs a picture";
    answer_in_turns(window, IDM_ZOOM_CUSTOM_SCALE, {});
    EXPECT_FALSE(last_dialog().seen) << "Custom Scale needs a picture";

    SetClientSize(800, 600);
    install_frames(1, 2000, 100);  // fitted to the view's width of 800: 40 %
    // A fit mode sees the view's size, a step the scale shown; each command's arithmetic is native.
    const struct { int id; int mode; const char* percent; } steps[] = {
        {IDM_VIEW_BEST_FIT, kZoomBestFit, "40%"}, {IDM_VIEW_ZOOM_IN, kZoomFixed, "50%"}};
    for (auto s : steps) {
        Command(s.id);
        EXPECT_EQ(g_viewer.zoom.mode, s.mode) << "command " << s.id;
        EXPECT_EQ(status_part(4), s.percent) << "command " << s.id;
    }
    // Each preset shows the scale its menu item names.
    for (int id = IDM_ZOOM_25; id <= IDM_ZOOM_400; ++id) {
        Command(IDM_VIEW_BEST_FIT);
        Command(id);
        EXPECT_EQ(g_viewer.zoom.mode, kZoomFixed) << id;
        EXPECT_EQ(status_part(4), MenuLabel(id)) << id;
    }
    // Custom Scale starts at the scale shown; Cancel changes nothing.
    Command(IDM_VIEW_BEST_FIT);
    answer_in_turns(window, IDM_ZOOM_CUSTOM_SCALE, {}, [](HWND d) { g_initial = text_of(GetDlgItem(d, IDC_SCALE_PERCENT)); });
    ASSERT_TRUE(last_dialog().seen);
    EXPECT_EQ(g_initial, "40");
    EXPECT_EQ(g_viewer.zoom.mode, kZoomBestFit);
}

TEST_F(ViewZoomTest, ScrollBarsOnlyForALargerPictureAtFixedScale) {
    EXPECT_EQ(scrolling_bars(window), "") << "nothing open";
    install_frames(1, 1000, 800);
    Command(IDM_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(scrolling_bars(window), "hv");
    RECT r = GetViewRect();
    SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(window, SB_HORZ, &si));
    EXPECT_EQ(Ints({si.nMin, si.nMax, (int)si.nPage}), Ints({0, 999, (int)(r.right - r.left)})) << "range and page";
    Command(IDM_VIEW_SHRINK_TO_FIT);
    EXPECT_EQ(scrolling_bars(window), "");

    CloseDocument();
    install_frames(1, 200, 100);
    Command(IDM_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(scrolling_bars(window), "") << "smaller than the view at fixed scale";
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    EXPECT_FALSE(g_viewer.panning) << "nothing to pan";
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 200));

    CloseDocument();
    install_frames(1, 3000, 100);
    g_frame.fullscreen = true;  // only the flag: the layout reads it
    Command(IDM_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(scrolling_bars(window), "h") << "full screen shows only the bar that scrolls";
    g_frame.fullscreen = false;
}

TEST_F(ViewZoomTest, ScrollMessagesMoveTheViewAndStopAtTheEnds) {
    install_frames(1, 3000, 2000);
    Command(IDM_VIEW_ACTUAL_SIZE);
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, kScrollLine);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), kScrollLine) << "the bar follows";
    for (int i = 0; i < 10; ++i) SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, g_viewer.scroll_max_y);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), g_viewer.scroll_max_y);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 777), 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 777);

    // A zoom step keeps the position as far as the smaller picture allows.
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 2900), 0);
    Command(IDM_VIEW_ZOOM_OUT);
    EXPECT_EQ(status_part(4), "80%");
    EXPECT_EQ(g_viewer.zoom.scroll_x, g_viewer.scroll_max_x);

    // Beyond 65535 pixels the thumb's place comes from the bar, not from the
    // message's 16 bits.
    SetZoomScale(32.0);
    LayoutMainWindow();
    SetScrollPos(window, SB_HORZ, 70000, FALSE);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 70000 & 0xFFFF), 0);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 70000);
}

TEST_F(ViewZoomTest, DraggingPansWithinTheScrollLimits) {
    install_frames(1, 3000, 2000);
    Command(IDM_VIEW_ACTUAL_SIZE);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    ASSERT_TRUE(g_viewer.panning);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 180));
    EXPECT_EQ(Ints({g_viewer.zoom.scroll_x, g_viewer.zoom.scroll_y}), Ints({50, 20}));
    EXPECT_EQ(GetScrollPos(window, SB_HORZ), 50);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, 300));
    EXPECT_EQ(Ints({g_viewer.zoom.scroll_x, g_viewer.zoom.scroll_y}), Ints({0, 0})) << "stopped at the start";
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((WORD)-30000, (WORD)-30000));
    EXPECT_EQ(Ints({g_viewer.zoom.scroll_x, g_viewer.zoom.scroll_y}),
              Ints({g_viewer.scroll_max_x, g_viewer.scroll_max_y}))
        << "stopped at the end";
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    EXPECT_FALSE(g_viewer.panning);
}

TEST_F(ViewZoomTest, CtrlWheelZoomsAboutTheCursor) {
    install_frames(1, 2000, 1600);
    Command(IDM_VIEW_ACTUAL_SIZE);
    SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0);
    SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0);
    RECT r = GetViewRect();
    POINT cursor = {r.left + 250, r.top + 150};
    for (short delta : {120, -120}) {
        POINT before = GetPictureOrigin();
        double scale = g_viewer.zoom.scale;
        double px = (cursor.x - before.x) / scale, py = (cursor.y - before.y) / scale;
        POINT screen = cursor;
        ClientToScreen(window, &screen);
        SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)delta), MAKELPARAM(screen.x, screen.y));
        double after_scale = g_viewer.zoom.scale;
        EXPECT_DOUBLE_EQ(after_scale, scale * (delta > 0 ? kZoomInFactor : kZoomOutFactor));
        // The picture point under the cursor stays there, within a displayed pixel.
        POINT after = GetPictureOrigin();
        EXPECT_NEAR((cursor.x - after.x) / after_scale, px, 1.0 / after_scale) << delta;
        EXPECT_NEAR((cursor.y - after.y) / after_scale, py, 1.0 / after_scale) << delta;
        EXPECT_EQ(GetScrollPos(window, SB_HORZ), g_viewer.zoom.scroll_x) << "laid out after the zoom";
    }
}

TEST_F(ViewZoomTest, CustomScaleOpensInRangeRefusesOutOfRangeAndAcceptsTheTop) {
    install_frames(1, 1, 1);
    Command(IDM_VIEW_BEST_FIT);  // far above 3200 %
    std::vector<SeenDialog> refusals =
        answer_in_turns(window, IDM_ZOOM_CUSTOM_SCALE, {enter("3201"), enter("3200")},
                        [](HWND d) { g_initial = text_of(GetDlgItem(d, IDC_SCALE_PERCENT)); });
    pump_messages();
    EXPECT_EQ(g_initial, "3200") << "opened with the nearest scale it accepts";
    ASSERT_EQ(refusals.size(), 1u) << "3201 keeps the dialog open, 3200 closes it";
    EXPECT_EQ(refusals[0].text, tr(kTextScaleRange));
    EXPECT_DOUBLE_EQ(g_viewer.zoom.scale, 32.0);
    EXPECT_EQ(status_part(4), "3200%") << "the fixed scale, not the fit";
}
