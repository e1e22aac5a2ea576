// The Resize Image and Adjust Colors dialogs on the real main window, each
// path once: the dialog is answered as a user would, then the frames, the
// undo step, the zoom and the pixels are read back. The arithmetic is in
// tests/native/resize_rules_test.cpp.
#include "core/transform.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/reference.h"
#include "viewer/playback.h"

namespace {

std::string item_text(HWND dialog, int id) { return text_of(GetDlgItem(dialog, id)); }

// Typing into a field: the edit sends EN_CHANGE as it would for keys.
void type(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

// The Resize dialog's fields as it opened.
std::string g_opening;

void note_opening(HWND dialog) {
    g_opening = item_text(dialog, IDC_RESIZE_WIDTH) + " x " + item_text(dialog, IDC_RESIZE_HEIGHT) + ", " +
                item_text(dialog, IDC_RESIZE_PERCENT) + "%" +
                (IsDlgButtonChecked(dialog, IDC_RESIZE_KEEP_ASPECT) ? ", keep" : "") +
                (IsDlgButtonChecked(dialog, IDC_RESIZE_BY_PERCENT) ? ", by percent" : "");
}

struct EditDialogsTest : MainWindowTest {
    // Resize Image answered in turns with these steps; its refusals as "title: text".
    std::vector<std::string> Resize(std::vector<std::function<void(HWND)>> steps) {
        std::vector<std::string> refusals;
        for (const SeenDialog& d : answer_in_turns(window, IDM_IMAGE_RESIZE, steps, note_opening))
            refusals.push_back(d.title + ": " + d.text);
        pump_messages();
        return refusals;
    }
};

}  // namespace

TEST_F(EditDialogsTest, ResizeByPercentEditsTheShownFrameAndShrinksToFit) {
    Image* first = make_picture(40, 30, pattern_colour);
    Image* source = make_picture(40, 30, pattern_colour);
    install_frames({first, source}, {100, 100}, 1);
    StartAnimation();
    g_viewer.zoom.mode = kZoomFixed;
    g_viewer.zoom.scroll_x = g_viewer.zoom.scroll_y = 7;
    std::vector<std::string> refusals = Resize({[](HWND d) {
        click(d, IDC_RESIZE_BY_PERCENT);
        type(d, IDC_RESIZE_PERCENT, "50");
    }});
    EXPECT_EQ(g_opening, "40 x 30, 100%, keep");
    EXPECT_TRUE(refusals.empty()) << refusals[0];
    EXPECT_FALSE(g_viewer.animating) << "the animation stops first";
    ASSERT_NE(g_viewer.shown, source);
    EXPECT_EQ(g_viewer.document.frames[1], g_viewer.shown);
    EXPECT_EQ(g_viewer.document.frames[0], first) << "only the shown frame is edited";
    EXPECT_EQ(g_viewer.undo_image, source);
    EXPECT_EQ(g_viewer.undo_frame, 1);
    EXPECT_TRUE(g_viewer.edited);
    Image* expected = image_resize(source, 20, 15);
    EXPECT_TRUE(same_picture(g_viewer.shown, expected))
        << "expected image_resize to 20 x 15, got " << g_viewer.shown->width << " x " << g_viewer.shown->height;
    image_free(expected);
    EXPECT_EQ(g_viewer.zoom.mode, kZoomShrinkToFit);
    EXPECT_EQ(g_viewer.zoom.scroll_x, 0);
    EXPECT_EQ(g_viewer.zoom.scroll_y, 0);
}

// What the other field showed after each typed value.
std::vector<std::string> g_linked;

TEST_F(EditDialogsTest, AspectLinkMovesTheOtherSideOnceAndOnlyWhileChecked) {
    install_frames(1, 40, 30);
    Image* source = g_viewer.shown;
    g_linked.clear();
    answer_next_dialog(IDCANCEL, [](HWND d) {
        const struct { int field; const char* value; } typed[] = {
            {IDC_RESIZE_WIDTH, "100"},  // 75
            {IDC_RESIZE_HEIGHT, "20"},  // 26.7: 27
            {IDC_RESIZE_WIDTH, "2"},    // 1.5: 2; sent back it would make the width 3
            {IDC_RESIZE_WIDTH, "0"},    // below 1: the height stays
        };
        for (const auto& t : typed) {
            type(d, t.field, t.value);
            int other = t.field == IDC_RESIZE_WIDTH ? IDC_RESIZE_HEIGHT : IDC_RESIZE_WIDTH;
            g_linked.push_back(item_text(d, t.field) + "/" + item_text(d, other));
        }
        click(d, IDC_RESIZE_KEEP_ASPECT);
        type(d, IDC_RESIZE_WIDTH, "50");
        g_linked.push_back(item_text(d, IDC_RESIZE_WIDTH) + "/" + item_text(d, IDC_RESIZE_HEIGHT));
    });
    Command(IDM_IMAGE_RESIZE);
    const std::vector<std::string> expected = {"100/75", "20/27", "2/2", "0/2", "50/2"};
    EXPECT_EQ(g_linked, expected);
    EXPECT_EQ(g_viewer.shown, source) << "Cancel changes nothing";
    EXPECT_EQ(g_viewer.undo_image, nullptr);
}

TEST_F(EditDialogsTest, ResizeRefusesOutOfRangeValuesAndStaysOpen) {
    install_frames(1, 40, 30);
    Image* source = g_viewer.shown;
    // One refusal of each range rule: their edges are tested natively.
    std::vector<std::string> refusals = Resize({
        [](HWND d) { type(d, IDC_RESIZE_WIDTH, "0"); },
        [](HWND d) {
            click(d, IDC_RESIZE_BY_PERCENT);
            type(d, IDC_RESIZE_PERCENT, "3201");
        },
    });
    const std::string title = std::string(tr(kTextResizeTitle)) + ": ";
    EXPECT_EQ(refusals, (std::vector<std::string>{title + tr(kTextResizeRange), title + tr(kTextPercentRange)}))
        << "each refusal keeps the dialog open for the next value";
    EXPECT_EQ(g_viewer.shown, source);
    EXPECT_EQ(g_viewer.undo_image, nullptr);
    EXPECT_FALSE(g_viewer.edited);
}

TEST_F(EditDialogsTest, ResizeBeyondThePictureLimitChangesNothingSilently) {
    install_frames(1, 1000, 10);  // 3200 % is 32000 wide
    Image* source = g_viewer.shown;
    std::vector<std::string> refusals = Resize({[](HWND d) {
        click(d, IDC_RESIZE_BY_PERCENT);
        type(d, IDC_RESIZE_PERCENT, "3200");
    }});
    EXPECT_TRUE(refusals.empty()) << "no message: " << refusals[0];
    EXPECT_EQ(g_viewer.shown, source);
    EXPECT_EQ(g_viewer.document.frames[0], source);
    EXPECT_EQ(g_viewer.undo_image, nullptr);
    EXPECT_FALSE(g_viewer.edited);
}

namespace {

// Moves a track bar as a drag would: the position, then the notification.
void move_track(HWND dialog, int id, int position) {
    HWND track = GetDlgItem(dialog, id);
    SendMessageA(track, TBM_SETPOS, TRUE, position);
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), (LPARAM)track);
}

// What the Adjust Colors dialog showed while it was open.
struct AdjustSeen {
    Image* frame_slot = nullptr;
    bool preview_matches = false;
    bool source_kept = false;
    std::string labels;
} g_adjust;

Image* g_source_copy = nullptr;

bool shows_lut_of_source(int brightness, int contrast, double gamma) {
    uint8_t lut[256];
    build_color_lut(brightness, contrast, gamma, lut);
    Image* expected = image_apply_lut(g_source_copy, lut);
    bool same = same_picture(g_viewer.shown, expected);
    image_free(expected);
    return same;
}

// Brightness 40 first, then 20 with gamma 0.10: the second preview is made
// from the source, not from the first preview.
void adjust_and_look(HWND d) {
    move_track(d, IDC_ADJUST_BRIGHTNESS, 40);
    move_track(d, IDC_ADJUST_BRIGHTNESS, -20);
    move_track(d, IDC_ADJUST_GAMMA, 10);
    g_adjust.preview_matches = shows_lut_of_source(-20, 0, 0.10);
    g_adjust.labels = item_text(d, IDC_ADJUST_BRIGHTNESS_VALUE) + " " + item_text(d, IDC_ADJUST_CONTRAST_VALUE) +
                      " " + item_text(d, IDC_ADJUST_GAMMA_VALUE);
    move_track(d, IDC_ADJUST_GAMMA, 300);
    move_track(d, IDC_ADJUST_CONTRAST, 55);
    g_adjust.preview_matches = g_adjust.preview_matches && shows_lut_of_source(-20, 55, 3.0);
    g_adjust.labels += ", " + item_text(d, IDC_ADJUST_CONTRAST_VALUE) + " " + item_text(d, IDC_ADJUST_GAMMA_VALUE);
    // A preview that cannot be made leaves the last one on screen.
    image_fail_allocations_from(1);
    move_track(d, IDC_ADJUST_CONTRAST, 0);
    image_fail_allocations_from(0);
    g_adjust.preview_matches = g_adjust.preview_matches && g_viewer.shown && shows_lut_of_source(-20, 55, 3.0);
    g_adjust.frame_slot = g_viewer.document.frames[g_viewer.frame_index];
    g_adjust.source_kept = same_picture(g_adjust.frame_slot, g_source_copy);
}

}  // namespace

TEST_F(EditDialogsTest, AdjustColorsPreviewsFromTheSourceAndCancelRestoresIt) {
    install_frames({make_picture(30, 20, pattern_colour)});
    Image* source = g_viewer.shown;
    g_source_copy = make_picture(30, 20, pattern_colour);
    for (int button : {IDCANCEL, IDOK}) {
        g_adjust = AdjustSeen();
        answer_next_dialog(button, adjust_and_look);
        Command(IDM_IMAGE_ADJUST_COLORS);
        ASSERT_TRUE(last_dialog().seen);
        EXPECT_EQ(last_dialog().title, "Adjust Colors");
        EXPECT_TRUE(g_adjust.preview_matches) << "the preview is the table of the bars on the source";
        EXPECT_EQ(g_adjust.labels, "-20 0 0.10, 55 3.00");
        EXPECT_EQ(g_adjust.frame_slot, source) << "the frame slot keeps the source while previewing";
        EXPECT_TRUE(g_adjust.source_kept);
        if (button == IDCANCEL) {
            EXPECT_EQ(g_viewer.shown, source) << "Cancel shows the source again";
            EXPECT_TRUE(same_picture(g_viewer.shown, g_source_copy));
            EXPECT_EQ(g_viewer.undo_image, nullptr);
            EXPECT_FALSE(g_viewer.edited);
        }
    }
    // After Cancel came OK: the last preview is the edit, the source its undo.
    EXPECT_EQ(g_viewer.undo_image, source);
    EXPECT_TRUE(same_picture(g_viewer.undo_image, g_source_copy));
    EXPECT_EQ(g_viewer.document.frames[0], g_viewer.shown);
    EXPECT_TRUE(shows_lut_of_source(-20, 55, 3.0));
    EXPECT_TRUE(g_viewer.edited);
    image_free(g_source_copy);
    g_source_copy = nullptr;
}
