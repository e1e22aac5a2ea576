// The Options sheet under Wine: opened by its command, filled in as a user
// would, closed with OK or Cancel; then the settings, the registry and the
// main window are looked at. The OK rules' arithmetic is tested natively.
#include "tests/support/main_window_fixture.h"
#include "app/layout.h"
#include "browser/thumb_cache.h"
#include "core/color_profile.h"
#include "core/loader.h"
#include "res/resource.h"
#include "shell/options_pure.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"
#include "viewer/document.h"
#include "viewer/view.h"

namespace {

HWND page_of(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, (WPARAM)index, 0);  // a page is made when first shown
    return (HWND)SendMessageA(sheet, PSM_INDEXTOHWND, (WPARAM)index, 0);
}

bool g_invert = false;  // the boxes set to the opposite of the settings
const char* g_quality = "";
const char* g_delay = "";
int g_fit_item = 0;

void flip_boxes(HWND page, const OptionBox* boxes, int count) {
    for (int i = 0; i < count; ++i) {
        HWND box = GetDlgItem(page, boxes[i].control_id);
        EnableWindow(box, TRUE);  // Show all file types is gray in thumbnail view; the rule is looked at below
        SendMessageA(box, BM_SETCHECK, SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    }
}

void fill_sheet(HWND sheet) {
    HWND browser = page_of(sheet, 0), viewer = page_of(sheet, 1);
    if (g_invert) {
        flip_boxes(browser, kBrowserPageBoxes, kBrowserPageBoxCount);
        flip_boxes(viewer, kViewerPageBoxes, kViewerPageBoxCount);
    }
    SetDlgItemTextA(viewer, IDC_OPT_JPEG_QUALITY, g_quality);
    SetDlgItemTextA(viewer, IDC_OPT_SLIDE_DELAY, g_delay);
    SendDlgItemMessageA(viewer, IDC_OPT_DEFAULT_FIT, CB_SETCURSEL, (WPARAM)g_fit_item, 0);
}

int32_t field(const Settings& s, const OptionBox& box) { return *(const int32_t*)((const char*)&s + box.offset); }

DWORD stored(const char* name) {
    DWORD value = 0xDEAD;
    wchar_t wide[64];
    MultiByteToWideChar(CP_ACP, 0, name, -1, wide, 64);
    registry_read_dword(HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora", wide, &value);
    return value;
}

struct OptionsTest : MainWindowTest {
    void RunSheet(int button) {
        answer_next_dialog(button, fill_sheet);
        Command(IDM_VIEW_OPTIONS);
        stop_answering();
        EXPECT_EQ(last_dialog().title, "Options");
    }
};

}  // namespace

// Every box flips its flag on OK and reaches the registry; the fields take
// their edge values; Cancel after the same changes leaves everything.
TEST_F(OptionsTest, EveryControlReachesTheSettingsAndTheRegistryOnOkOnly) {
    g_settings.BrowseView = 0;
    g_settings.JpegQ = 75;
    const Settings before = g_settings;
    g_invert = true;
    g_quality = "250";
    g_delay = "0";
    g_fit_item = 2;
    RunSheet(IDCANCEL);
    for (const SettingDef& def : kSettingDefs)
        EXPECT_EQ(setting_value(g_settings, def), setting_value(before, def)) << "after Cancel: " << def.name;

    RunSheet(IDOK);
    for (const OptionBox* boxes : {kBrowserPageBoxes, kViewerPageBoxes}) {
        int count = boxes == kBrowserPageBoxes ? kBrowserPageBoxCount : kViewerPageBoxCount;
        for (int i = 0; i < count; ++i) {
            const SettingDef* def = nullptr;
            for (const SettingDef& d : kSettingDefs)
                if (d.offset == boxes[i].offset) def = &d;
            ASSERT_NE(def, nullptr);
            EXPECT_EQ(field(g_settings, boxes[i]), !field(before, boxes[i])) << def->name;
            EXPECT_EQ(stored(def->name), (DWORD)!field(before, boxes[i])) << def->name << " in the registry";
        }
    }
    EXPECT_EQ(g_settings.JpegQ, 100);
    EXPECT_EQ(g_settings.SlideMs, 1000);
    EXPECT_EQ(g_settings.DefaultFit, 0) << "Actual Size";
    EXPECT_EQ(stored("JpegQ"), 100u);
    EXPECT_EQ(stored("SlideMs"), 1000u);
    EXPECT_EQ(stored("DefaultFit"), 0u);
    EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, g_settings.AlwaysTop != 0);

    // Flipped back: Always on Top off again, and a quality that is no number
    // keeps the one before.
    g_quality = "9O";
    g_delay = "601";
    g_fit_item = 0;
    RunSheet(IDOK);
    EXPECT_EQ(g_settings.AlwaysTop, before.AlwaysTop);
    EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, before.AlwaysTop != 0);
    EXPECT_EQ(g_settings.JpegQ, 100);
    EXPECT_EQ(g_settings.SlideMs, 600000);
    EXPECT_EQ(g_settings.DefaultFit, 1) << "Best Fit";
    g_invert = false;
}

namespace {

bool g_all_types_enabled = true;
void look_at_browser_page(HWND sheet) {
    g_all_types_enabled = IsWindowEnabled(GetDlgItem(page_of(sheet, 0), IDC_OPT_SHOW_ALL_FILES)) != FALSE;
}

// The Clear Thumbnail Cache button, pressed while the sheet is up: its
// message box is the second dialog answered.
void clear_cache_then_ok(HWND dialog) {
    if (dialog_driver::seen.size() == 1)
        SendMessageA(page_of(dialog, 0), WM_COMMAND, MAKEWPARAM(IDC_OPT_CLEAR_CACHE, BN_CLICKED), 0);
}

HWND g_sheet = nullptr, g_owner = nullptr;
bool g_sheet_enabled = true;
void open_associations(HWND dialog) {
    if (dialog_driver::seen.size() == 1) {
        g_sheet = dialog;
        SendMessageA(page_of(dialog, 1), WM_COMMAND, MAKEWPARAM(IDC_OPT_ASSOCIATIONS, BN_CLICKED), 0);
    } else {
        g_owner = GetWindow(dialog, GW_OWNER);
        g_sheet_enabled = IsWindowEnabled(g_sheet) != FALSE;
    }
}

}  // namespace

TEST_F(OptionsTest, ShowAllFileTypesIsGrayInThumbnailViewOnly) {
    for (int view : {0, 3}) {
        g_settings.BrowseView = view;
        answer_next_dialog(IDCANCEL, look_at_browser_page);
        Command(IDM_VIEW_OPTIONS);
        stop_answering();
        EXPECT_EQ(g_all_types_enabled, view != 0) << "view " << view;
    }
}

TEST_F(OptionsTest, ClearCacheDeletesOnlyThumbnailFiles) {
    std::string temp = temp_folder("options");
    thumb_cache_use_temp_folder(temp.c_str());
    std::string cache = ensure_thumb_cache_folder();
    ASSERT_FALSE(cache.empty());
    for (const char* name : {"a.tmb", "b.tmb", "keep.txt"}) ASSERT_TRUE(write_file_wide(cache + name, {1, 2, 3}));
    answer_dialogs({IDCANCEL, IDOK}, clear_cache_then_ok);
    Command(IDM_VIEW_OPTIONS);
    stop_answering();
    thumb_cache_use_temp_folder(nullptr);
    bool kept = GetFileAttributesA((cache + "keep.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
    bool gone = GetFileAttributesA((cache + "a.tmb").c_str()) == INVALID_FILE_ATTRIBUTES &&
                GetFileAttributesA((cache + "b.tmb").c_str()) == INVALID_FILE_ATTRIBUTES;
    remove_tree(temp);
    EXPECT_TRUE(kept);
    EXPECT_TRUE(gone);
    ASSERT_EQ(dialog_driver::seen.size(), 2u);
    EXPECT_EQ(dialog_driver::seen[1].text, "Thumbnail cache cleared.");
    EXPECT_EQ(dialog_driver::seen[1].title, "Lumora");
}

// Owned by the main window, the nested dialog would leave the sheet enabled
// and closable under it.
TEST_F(OptionsTest, AssociationsDialogIsOwnedByTheSheet) {
    answer_dialogs({IDCANCEL, IDCANCEL}, open_associations);
    Command(IDM_VIEW_OPTIONS);
    stop_answering();
    ASSERT_EQ(dialog_driver::seen.size(), 2u);
    EXPECT_EQ(dialog_driver::seen[1].title, "Set File Associations");
    EXPECT_EQ(g_owner, g_sheet);
    EXPECT_FALSE(g_sheet_enabled);
}

namespace {

void clear_color_profiles(HWND sheet) { CheckDlgButton(page_of(sheet, 1), IDC_OPT_COLOR_PROFILES, BST_UNCHECKED); }

uint32_t pixel_of(const Image* image, int x, int y) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    return (uint32_t)(p[2] << 16 | p[1] << 8 | p[0]);
}

}  // namespace

// Turned off on the sheet, the switch reaches the decoders: the Adobe RGB
// photo opened next shows its raw pixels, a saturated green among them.
TEST_F(OptionsTest, ColorProfilesOffShowsTheRawPixelsInTheViewer) {
    ASSERT_EQ(g_settings.ColorProfiles, 1) << "on by default";
    std::string photo = data_path("icc-adobe.jpg");
    Decoded converted, raw;
    converted.image = load_image(photo.c_str(), converted.message);
    answer_next_dialog(IDOK, clear_color_profiles);
    Command(IDM_VIEW_OPTIONS);
    stop_answering();
    EXPECT_EQ(g_settings.ColorProfiles, 0);
    EXPECT_EQ(stored("ColorProfiles"), 0u);
    EXPECT_FALSE(color_profiles_enabled());
    raw.image = load_image(photo.c_str(), raw.message);
    ASSERT_TRUE(converted.image && raw.image);

    ASSERT_TRUE(LoadDocument(photo.c_str()));
    LayoutMainWindow();
    POINT o = GetPictureOrigin();
    const int x = 36, y = 44;
    std::vector<uint32_t> shown = client_pixels(window, 0, [](HDC memory, HDC) { PaintView(memory); });
    RECT client;
    GetClientRect(window, &client);
    uint32_t painted = shown[(size_t)(o.y + y) * client.right + o.x + x];
    color_profiles_enable(true);
    EXPECT_EQ(painted, pixel_of(raw.image, x, y));
    EXPECT_NE(painted, pixel_of(converted.image, x, y));
}
