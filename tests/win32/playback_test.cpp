// Animation, pages, the slide show and full screen on the real window, run
// by its own timers: frames and files are watched as they change.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/file_list.h"
#include "core/stb_adapter.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/scratch.h"
#include "viewer/playback.h"
#include "ui/frame.h"

namespace {

int g_changes = 0;  // how often the watched value changed
int g_last = -1;
std::vector<std::string> g_shown;  // the files in the order the show opened them

void count_frame_changes() {
    if (g_viewer.frame_index != g_last) ++g_changes;
    g_last = g_viewer.frame_index;
}

void note_shown_file() {
    std::string name = g_viewer.current_path;
    name = name.substr(name.find_last_of('\\') + 1);
    if (g_shown.empty() || g_shown.back() != name) g_shown.push_back(name);
}

// Runs the message loop, noting the files shown, until `count` were or the
// time is up.
void show_until(size_t count, DWORD limit_ms) {
    DWORD start = GetTickCount();
    while (g_shown.size() < count && GetTickCount() - start < limit_ms) {
        pump_messages();
        note_shown_file();
        Sleep(5);
    }
}

struct PlaybackTest : MainWindowTest {
    std::string folder;
    void SetUp() override {
        MainWindowTest::SetUp();
        folder = temp_folder("lumora-show");
        g_changes = 0;
        g_last = -1;
        g_shown.clear();
        g_settings.SlideMs = 150;  // in memory only
        g_settings.SlideAuto = 1;
    }
    void TearDown() override {
        stop_answering();
        MainWindowTest::TearDown();
        remove_tree(folder);
    }
    // Pictures a.bmp, b.bmp... in the folder; a.bmp is opened.
    void Pictures(int count) {
        for (int i = 0; i < count; ++i) {
            Image* picture = make_picture(20 + i, 10);
            save_image((folder + char('a' + i) + ".bmp").c_str(), picture, kSaveBmp, 0);
            image_free(picture);
        }
        ASSERT_TRUE(OpenFileInViewer((folder + "a.bmp").c_str()));
        note_shown_file();
    }
    int Frames(int changes_in_ms) {
        g_changes = 0;
        g_last = g_viewer.frame_index;
        pump_for(changes_in_ms, count_frame_changes);
        return g_changes;
    }
};

}  // namespace

TEST_F(PlaybackTest, AnimationKeepsItsPaceAndSpacePlaysOrStops) {
    install_frames(4, 40, 30, 0, 10);  // delays of 10 ms run as 100 ms
    g_viewer.document.delays[2] = 0;
    StartAnimation();
    int changes = Frames(2000);
    EXPECT_TRUE(changes >= 17 && changes <= 23) << changes << " frame changes in 2 s, want about 20";
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_EQ(Frames(400), 0) << "Space stops the animation";

    // Held still at open, Space plays.
    CloseDocument();
    g_settings.NoGifAnim = 1;
    install_frames(4, 40, 30, 0, 10);
    StartAnimation();
    EXPECT_EQ(Frames(400), 0);
    EXPECT_EQ(g_viewer.frame_index, 0);
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_GE(Frames(400), 2);
}

TEST_F(PlaybackTest, PagesStepEveryHalfSecondAndWrapPastAbsentFrames) {
    install_frames(4);  // no delays: pages
    Command(IDM_GO_PLAY_PAUSE);
    int changes = Frames(1300);
    EXPECT_TRUE(changes >= 2 && changes <= 3) << changes << " page changes in 1.3 s at 500 ms each";
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
    pump_for(800, note_shown_file);
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
    show_until(4, 3000);
    EXPECT_EQ(g_shown, (std::vector<std::string>{"c.bmp", "b.bmp", "a.bmp", "c.bmp"}));

    // At random, never the same twice in a row.
    g_settings.SlideRandom = 1;
    g_shown.clear();
    show_until(6, 3000);  // note_shown_file keeps no repeats: a repeat would be a lost step
    EXPECT_EQ(g_shown.size(), 6u);
    Command(IDM_VIEW_SLIDE_SHOW);
    EXPECT_FALSE(g_frame.fullscreen);
}

TEST_F(PlaybackTest, PausedShowWaitsAFullPeriodAfterResuming) {
    Pictures(3);
    g_settings.SlideMs = 300;
    g_settings.SlideLoop = 1;
    Command(IDM_VIEW_SLIDE_SHOW);
    Command(IDM_GO_PLAY_PAUSE);
    EXPECT_TRUE(g_viewer.slideshow_paused);
    pump_for(700, note_shown_file);
    EXPECT_EQ(g_shown.size(), 1u) << "paused";
    Command(IDM_GO_PLAY_PAUSE);
    pump_for(240, note_shown_file);
    EXPECT_EQ(g_shown.size(), 1u) << "the next picture comes a full period after resuming";
    show_until(2, 2000);  // a busy machine delays ticks, never brings them early
    EXPECT_EQ(g_shown.size(), 2u);
    SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(g_viewer.slideshow);
    EXPECT_FALSE(g_frame.fullscreen) << "one Escape ends the show and full screen";
}

TEST_F(PlaybackTest, ADamagedFileIsPassedWithOneMessage) {
    Pictures(3);
    FILE* f = fopen((folder + "b.bmp").c_str(), "wb");  // a header and nothing else
    fputs("BM garbage", f);
    fclose(f);
    g_settings.SlideLoop = 1;
    answer_dialogs_after(5 * 150, {IDOK});
    Command(IDM_VIEW_SLIDE_SHOW);
    show_until(2, 3000);
    Command(IDM_VIEW_SLIDE_SHOW);  // before the loop comes round to the damaged file again
    EXPECT_EQ(dialog_driver::seen.size(), 1u);
    EXPECT_EQ(dialog_driver::most_open, 1) << "ticks during the message opened no other";
    ASSERT_GE(g_shown.size(), 2u);
    EXPECT_EQ(g_shown[1], "c.bmp") << "the show went on past the damaged file";
}

// Files that failed once are passed over silently; the one picture that
// opens stays without being read again; a show with nothing left to show
// stops with one message.
TEST_F(PlaybackTest, FilesThatFailedAreNotTriedAgain) {
    Pictures(3);
    for (const char* name : {"b.bmp", "c.bmp"}) {
        FILE* f = fopen((folder + name).c_str(), "wb");
        fputs("BM broken", f);
        fclose(f);
    }
    g_settings.SlideLoop = 1;
    g_settings.SlideAuto = 0;  // the test steps the show itself
    Command(IDM_VIEW_SLIDE_SHOW);
    const Image* shown = g_viewer.shown;
    answer_dialogs({IDOK, IDOK, IDOK});
    for (int tick = 0; tick < 4; ++tick) SlideShowStep();
    EXPECT_EQ(dialog_driver::seen.size(), 2u) << "one message for each damaged file";
    EXPECT_EQ(g_viewer.shown, shown) << "a.bmp is neither left nor read again";
    EXPECT_TRUE(g_viewer.slideshow);

    DeleteFileA((folder + "a.bmp").c_str());  // the list now holds only the damaged files
    scan_folder((folder + "a.bmp").c_str());
    answer_dialogs({IDOK, IDOK, IDOK});
    SlideShowStep();
    SlideShowStep();
    stop_answering();
    EXPECT_FALSE(g_viewer.slideshow);
    ASSERT_EQ(dialog_driver::seen.size(), 3u);
    EXPECT_EQ(dialog_driver::seen[2].text, tr(kTextNoImagesToShow));
}

TEST_F(PlaybackTest, TicksWaitWhileTheUserIsAsked) {
    Pictures(3);
    g_settings.SlideLoop = 1;
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    answer_dialogs_after(3 * 150, {IDNO});
    Command(IDM_VIEW_SLIDE_SHOW);
    show_until(3, 3000);
    EXPECT_EQ(dialog_driver::seen.size(), 1u) << "one save question";
    EXPECT_EQ(g_shown.size(), 3u);

    // Adjust Colors held open over three ticks: the picture stays, then OK edits it.
    std::string during = g_viewer.current_path;
    answer_dialogs_after(3 * 150, {IDOK});
    Command(IDM_IMAGE_ADJUST_COLORS);
    EXPECT_EQ(g_viewer.current_path, during);
    EXPECT_NE(g_viewer.undo_image, nullptr) << "OK installed the preview as an edit";
    answer_dialogs({IDNO});  // the next step asks about that edit
    pump_for(400);
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
