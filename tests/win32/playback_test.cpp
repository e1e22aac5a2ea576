// Animation, pages, the slide show and full screen on the real window; the
// tests send the timers' ticks themselves and watch frames and files change.
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "viewer/playback.h"

namespace {

std::vector<std::string> g_shown;  // the files in the order the show opened them

void note_shown_file() {
    std::string name = g_viewer.current_path;
    name = name.substr(name.find_last_of('\\') + 1);
    if (g_shown.empty() || g_shown.back() != name) g_shown.push_back(name);
}

// Three ticks of the show's timer while a dialog is open.
void tick_thrice(HWND) {
    for (int i = 0; i < 3; ++i) SendMessageA(g_frame.window, WM_TIMER, kTimerSlideShow, 0);
}

struct PlaybackTest : FolderTest {
    void SetUp() override {
        FolderTest::SetUp();
        g_shown.clear();
        g_settings.SlideAuto = 0;  // in memory only: the tests send the ticks
    }
    void Pictures(int count) {
        for (int i = 0; i < count; ++i) Picture(std::string(1, char('a' + i)) + ".bmp", 20 + i, 10);
        ASSERT_TRUE(OpenFileInViewer((folder + "a.bmp").c_str()));
        note_shown_file();
    }
    void Ticks(int count) {
        note_shown_file();
        for (int i = 0; i < count; ++i) {
            SendMessageA(window, WM_TIMER, kTimerSlideShow, 0);
            note_shown_file();
        }
    }
};

}  // namespace

TEST_F(PlaybackTest, AnimationStepsOneFrameATickAndSpacePlaysOrStops) {
    install_frames(4, 40, 30, 0, 10);
    g_viewer.document.delays[2] = 0;
    StartAnimation();
    ASSERT_TRUE(g_viewer.animating);
    for (int frame : {1, 2, 3, 0, 1}) {
        SendMessageA(window, WM_TIMER, kTimerAnimation, 0);
        EXPECT_EQ(g_viewer.frame_index, frame);
    }
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_FALSE(g_viewer.animating || KillTimer(window, kTimerAnimation)) << "Space stops the animation";

    // Held still at open, Space plays.
    CloseDocument();
    g_settings.NoGifAnim = 1;
    install_frames(4, 40, 30, 0, 10);
    StartAnimation();
    EXPECT_FALSE(g_viewer.animating || KillTimer(window, kTimerAnimation));
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_TRUE(g_viewer.animating && KillTimer(window, kTimerAnimation));
}

TEST_F(PlaybackTest, PagesStepAndWrapPastAbsentFrames) {
    install_frames(4);  // no delays: pages
    Command(IDM_GO_PLAY_PAUSE);
    SendMessageA(window, WM_TIMER, kTimerAnimation, 0);
    EXPECT_EQ(g_viewer.frame_index, 1);
    Command(IDM_GO_PLAY_PAUSE);

    image_free(g_viewer.document.frames[2]);
    g_viewer.document.frames[2] = nullptr;  // a frame the decoder could not make
    const struct { int from, id, to; } steps[] = {
        {1, IDM_GO_NEXT_PAGE, 3}, {3, IDM_GO_NEXT_PAGE, 0}, {0, IDM_GO_PREVIOUS_PAGE, 3}, {3, IDM_GO_PREVIOUS_PAGE, 1}};
    for (const auto& s : steps) {
        g_viewer.frame_index = s.from;
        g_viewer.shown = g_viewer.document.frames[s.from];
        Command(IDM_GO_PLAY_PAUSE);  // playing: a page step stops it
        Command(s.id);
        EXPECT_EQ(g_viewer.frame_index, s.to) << "from " << s.from;
        EXPECT_EQ(g_viewer.shown, g_viewer.document.frames[s.to]);
        EXPECT_FALSE(g_viewer.animating);
    }
    g_viewer.frame_index = 1;
    AnimationStep();  // what timer 2 runs
    EXPECT_EQ(g_viewer.frame_index, 3) << "the animation passes the absent frame too";
}

TEST_F(PlaybackTest, SlideShowRunsInEachOrderAndRestoresTheWindow) {
    Pictures(3);
    RECT before;
    GetWindowRect(window, &before);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    HMENU menu = GetMenu(window);
    Command(IDM_VIEW_SLIDE_SHOW);
    EXPECT_TRUE(g_frame.fullscreen);
    EXPECT_EQ(GetMenu(window), nullptr);
    Ticks(3);
    EXPECT_EQ(g_shown, (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));
    EXPECT_FALSE(g_viewer.slideshow) << "without SlideLoop the show ends after the last";
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), style);
    EXPECT_EQ(GetMenu(window), menu);

    // Backwards, round and round.
    g_settings.SlideReverse = g_settings.SlideLoop = 1;
    g_shown.clear();
    Command(IDM_VIEW_SLIDE_SHOW);
    Ticks(3);
    EXPECT_EQ(g_shown, (std::vector<std::string>{"c.bmp", "b.bmp", "a.bmp", "c.bmp"}));

    // At random, never the same twice in a row.
    g_settings.SlideRandom = 1;
    g_shown.clear();
    Ticks(5);  // note_shown_file keeps no repeats: a repeat would be a lost step
    EXPECT_EQ(g_shown.size(), 6u);
    Command(IDM_VIEW_SLIDE_SHOW);
    EXPECT_FALSE(g_frame.fullscreen);
}

TEST_F(PlaybackTest, PauseHoldsTheShowsTimerAndOneEscapeEndsShowAndFullScreen) {
    Pictures(3);
    g_settings.SlideAuto = 1;
    Command(IDM_VIEW_SLIDE_SHOW);
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_TRUE(g_viewer.slideshow_paused);
    EXPECT_FALSE(KillTimer(window, kTimerSlideShow)) << "paused: no tick comes";
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_FALSE(g_viewer.slideshow_paused);
    EXPECT_TRUE(KillTimer(window, kTimerSlideShow)) << "resumed: the ticks come again";
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(g_viewer.slideshow);
    EXPECT_FALSE(g_frame.fullscreen);
}

// Files that failed once are passed over silently; the one picture that
// opens stays without being read again; a show with nothing left to show
// stops with one message. (Ticks under a message: the next test.)
TEST_F(PlaybackTest, FilesThatFailedAreNotTriedAgain) {
    Pictures(3);
    for (const char* name : {"b.bmp", "c.bmp"}) Put(name, {'B', 'M', ' ', 'b'});
    g_settings.SlideLoop = 1;
    Command(IDM_VIEW_SLIDE_SHOW);
    const Image* shown = g_viewer.shown;
    answer_dialogs({IDOK, IDOK, IDOK});
    Ticks(4);
    EXPECT_EQ(dialog_driver::seen.size(), 2u) << "one message for each damaged file";
    EXPECT_EQ(g_viewer.shown, shown) << "a.bmp is neither left nor read again";
    EXPECT_TRUE(g_viewer.slideshow);

    DeleteFileA((folder + "a.bmp").c_str());  // the list now holds only the damaged files
    scan_folder((folder + "a.bmp").c_str());
    answer_dialogs({IDOK, IDOK, IDOK});
    Ticks(2);
    EXPECT_FALSE(g_viewer.slideshow);
    ASSERT_EQ(dialog_driver::seen.size(), 3u);
    EXPECT_EQ(dialog_driver::seen[2].text, tr(kTextNoImagesToShow));
}

// A tick while the user is asked leaves the picture under the question.
TEST_F(PlaybackTest, TicksWaitWhileTheUserIsAsked) {
    Pictures(3);
    g_settings.SlideLoop = 1;
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    Command(IDM_VIEW_SLIDE_SHOW);
    answer_dialogs({IDNO}, tick_thrice);
    Ticks(2);
    EXPECT_EQ(dialog_driver::seen.size(), 1u) << "one save question";
    EXPECT_EQ(g_shown, (std::vector<std::string>{"a.bmp", "b.bmp", "c.bmp"}));

    // Adjust Colors held open over three ticks: the picture stays, then OK edits it.
    std::string during = g_viewer.current_path;
    answer_next_dialog(IDOK, tick_thrice);
    Command(IDM_IMAGE_ADJUST_COLORS);
    EXPECT_EQ(g_viewer.current_path, during);
    EXPECT_NE(g_viewer.undo_image, nullptr) << "OK installed the preview as an edit";
    answer_next_dialog(IDNO);
    Ticks(1);
    EXPECT_TRUE(last_dialog().seen) << "the next step asks about that edit";
    EXPECT_TRUE(g_viewer.slideshow);
    Command(IDM_VIEW_SLIDE_SHOW);
}

TEST_F(PlaybackTest, FullScreenComesBackWithTheMenuOfTheMode) {
    install_frames(1);
    RECT before;
    GetWindowRect(window, &before);
    Command(IDM_VIEW_FULL_SCREEN);
    RECT full;
    GetWindowRect(window, &full);
    EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsWindowVisible(g_frame.status_bar));
    EXPECT_EQ(IsWindowVisible(g_frame.toolbar) != 0, g_settings.FsToolbar != 0);
    SendMessageA(window, WM_LBUTTONDBLCLK, 0, MAKELPARAM(50, 50));
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_NE(g_frame.viewer_menu, nullptr);
    EXPECT_EQ(GetMenu(window), g_frame.viewer_menu);

    // The mode changes while in full screen: leaving attaches that mode's menu.
    Command(IDM_VIEW_FULL_SCREEN);
    g_frame.BrowseMode = true;
    frame_attach_mode_menu();
    EXPECT_EQ(GetMenu(window), nullptr);
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(GetMenu(window), g_frame.browser_menu);
    g_frame.BrowseMode = false;
    frame_attach_mode_menu();

    // Closed in full screen, the window keeps the place it had before.
    g_settings.RememberPos = 1;
    Command(IDM_VIEW_FULL_SCREEN);
    DestroyWindow(window);
    EXPECT_EQ(g_settings.WinW, before.right - before.left);
    EXPECT_EQ(g_settings.WinH, before.bottom - before.top);
}
