// The program's own resources, loaded from this test executable (it links
// res/lumora.rc too): menu texts and structure, the accelerator table as
// Windows applies it, the icon groups and the toolbar strips.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "res/resource.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// ---------------------------------------------------------------------------
// Menus.

struct MenuText {
    UINT id;
    const char* text;  // the label; a key name may follow after a tab
};

// Viewer menu: the labels of the command table.
const MenuText kViewerMenu[] = {
    {IDM_FILE_OPEN, "&Open..."},
    {IDM_FILE_OPEN_FOLDER, "Open &Folder..."},
    {IDM_FILE_SAVE, "&Save"},
    {IDM_FILE_SAVE_AS, "Save &As..."},
    {IDM_FILE_EXPORT_FRAMES, "&Export Frames/Pages..."},
    {IDM_FILE_PRINT, "&Print..."},
    {IDM_WALLPAPER_CENTERED, "&Centered"},
    {IDM_WALLPAPER_TILED, "&Tiled"},
    {IDM_WALLPAPER_STRETCHED, "&Stretched"},
    {IDM_FILE_OPEN_WITH, "Open Wit&h..."},
    {IDM_FILE_DELETE, "De&lete"},
    {IDM_FILE_PROPERTIES, "Proper&ties..."},
    {IDM_RECENT_FILE_FIRST, "(Empty)"},
    {IDM_RECENT_FOLDER_FIRST, "(none)"},
    {IDM_FILE_EXIT, "E&xit"},
    {IDM_EDIT_UNDO, "&Undo"},
    {IDM_EDIT_COPY, "&Copy"},
    {IDM_EDIT_IN_PAINT, "Edit in &Paint"},
    {IDM_EDIT_WITH, "Edit Wit&h..."},
    {IDM_VIEW_BEST_FIT, "&Best Fit"},
    {IDM_VIEW_SHRINK_TO_FIT, "S&hrink to Fit"},
    {IDM_VIEW_ACTUAL_SIZE, "&Actual Size"},
    {IDM_VIEW_ZOOM_IN, "Zoom &In"},
    {IDM_VIEW_ZOOM_OUT, "Zoom &Out"},
    {IDM_ZOOM_25, "&25%"},
    {IDM_ZOOM_50, "&50%"},
    {IDM_ZOOM_75, "&75%"},
    {IDM_ZOOM_100, "&100%"},
    {IDM_ZOOM_200, "2&00%"},
    {IDM_ZOOM_400, "&400%"},
    {IDM_ZOOM_CUSTOM_SCALE, "Custom &Scale..."},
    {IDM_VIEW_FULL_SCREEN, "&Full Screen"},
    {IDM_VIEW_REFRESH, "&Refresh"},
    {IDM_VIEW_LARGE_TOOLBAR_BUTTONS, "&Large Toolbar Buttons"},
    {IDM_VIEW_OPTIONS, "&Options..."},
    {IDM_GO_PREVIOUS, "&Previous"},
    {IDM_GO_NEXT, "&Next"},
    {IDM_GO_FIRST, "&First"},
    {IDM_GO_LAST, "&Last"},
    {IDM_GO_PREVIOUS_PAGE, "Previous P&age"},
    {IDM_GO_NEXT_PAGE, "Ne&xt Page"},
    {IDM_GO_PLAY_PAUSE, "Pla&y / Pause"},
    {IDM_VIEW_SLIDE_SHOW, "Sli&de Show"},
    {IDM_VIEW_BROWSE_FOLDER, "&Browse Folder"},
    {IDM_THUMB_SMALL, "&Small"},
    {IDM_THUMB_MEDIUM, "&Medium"},
    {IDM_THUMB_LARGE, "&Large"},
    {IDM_THUMB_EXTRA_LARGE, "&Extra Large"},
    {IDM_IMAGE_ROTATE_CLOCKWISE, "Rotate &Clockwise"},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, "Rotate Counterclock&wise"},
    {IDM_IMAGE_FLIP_HORIZONTAL, "Flip &Horizontal"},
    {IDM_IMAGE_FLIP_VERTICAL, "Flip &Vertical"},
    {IDM_IMAGE_RESIZE, "&Resize..."},
    {IDM_IMAGE_CROP, "Cr&op"},
    {IDM_IMAGE_ADJUST_COLORS, "Ad&just Colors..."},
    {IDM_IMAGE_GRAYSCALE, "&Grayscale"},
    {IDM_HELP_TOPICS, "&Help Topics"},
    {IDM_HELP_ABOUT, "&About Windows Lumora..."},
};

// Browser menu: whole texts, key names included.
const MenuText kBrowserMenu[] = {
    {IDM_FILE_NEW_FOLDER, "&New Folder"},
    {IDM_FILE_OPEN_SELECTED, "&Open\tEnter"},
    {IDM_FILE_OPEN_WITH, "Open Wit&h..."},
    {IDM_FILE_PRINT, "&Print...\tCtrl+P"},
    {IDM_FILE_PRINT_THUMBNAILS, "Print Thu&mbnails..."},
    {IDM_WALLPAPER_CENTERED, "&Centered"},
    {IDM_WALLPAPER_TILED, "&Tiled"},
    {IDM_WALLPAPER_STRETCHED, "&Stretched"},
    {IDM_FILE_DELETE, "De&lete\tDel"},
    {IDM_FILE_PROPERTIES, "Proper&ties..."},
    {IDM_RECENT_FOLDER_FIRST, "(none)"},
    {IDM_FILE_EXIT, "E&xit"},
    {IDM_EDIT_UNDO_FILE_OPERATION, "&Undo\tCtrl+Z"},
    {IDM_EDIT_CUT, "Cu&t\tCtrl+X"},
    {IDM_EDIT_COPY, "&Copy\tCtrl+C"},
    {IDM_EDIT_PASTE, "&Paste\tCtrl+V"},
    {IDM_EDIT_COPY_TO_FOLDER, "Copy t&o Folder..."},
    {IDM_EDIT_MOVE_TO_FOLDER, "&Move to Folder..."},
    {IDM_EDIT_SELECT_ALL, "Select &All\tCtrl+A"},
    {IDM_EDIT_RENAME, "Re&name\tF2"},
    {IDM_EDIT_WITH, "Edit Wit&h..."},
    {IDM_VIEW_THUMBNAILS, "Th&umbnails\tF8"},
    {IDM_VIEW_LARGE_ICONS, "Lar&ge Icons\tF9"},
    {IDM_VIEW_SMALL_ICONS, "S&mall Icons\tF10"},
    {IDM_VIEW_LIST, "Lis&t"},
    {IDM_VIEW_DETAILS, "Detai&ls\tF12"},
    {IDM_ARRANGE_BY_NAME, "by &Name"},
    {IDM_ARRANGE_BY_SIZE, "by &Size"},
    {IDM_ARRANGE_BY_TYPE, "by &Type"},
    {IDM_ARRANGE_BY_DATE_MODIFIED, "by &Date Modified"},
    {IDM_THUMB_SMALL, "&Small"},
    {IDM_THUMB_MEDIUM, "&Medium"},
    {IDM_THUMB_LARGE, "&Large"},
    {IDM_THUMB_EXTRA_LARGE, "&Extra Large"},
    {IDM_VIEW_FOLDER_TREE, "Folder Tre&e"},
    {IDM_VIEW_ADDRESS_BAR, "Address &Bar"},
    {IDM_VIEW_UP_ONE_LEVEL, "U&p One Level\tBackspace"},
    {IDM_VIEW_HIDE_NON_IMAGES, "&Hide Non-Images\tCtrl+I"},
    {IDM_VIEW_SHOW_HIDDEN_FILES, "Show Hidden &Files\tCtrl+H"},
    {IDM_VIEW_SLIDE_SHOW, "Slide Sho&w"},
    {IDM_VIEW_SLIDE_SHOW_RECURSIVE, "Slide Show (Re&cursive)"},
    {IDM_VIEW_GENERATE_FILE_LISTING, "Ge&nerate File Listing..."},
    {IDM_VIEW_REFRESH, "&Refresh\tF5"},
    {IDM_VIEW_BROWSE_FOLDER, "Bac&k to Viewer\tF4"},
    {IDM_VIEW_LARGE_TOOLBAR_BUTTONS, "Large Toolbar &Buttons"},
    {IDM_VIEW_OPTIONS, "&Options..."},
    {IDM_IMAGE_ROTATE_CLOCKWISE, "Rotate &Clockwise\tCtrl+."},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, "Rotate Counterclock&wise\tCtrl+,"},
    {IDM_EDIT_IN_PAINT, "Edit in &Paint"},
    {IDM_IMAGE_RESIZE_SELECTED, "Resi&ze Selected..."},
    {IDM_CONVERT_TO_PNG, "to &PNG"},
    {IDM_CONVERT_TO_JPEG, "to &JPEG"},
    {IDM_CONVERT_TO_BMP, "to &BMP"},
    {IDM_HELP_TOPICS, "&Help Topics\tF1"},
    {IDM_HELP_ABOUT, "&About Windows Lumora..."},
};

// Named submenus and the commands they hold, in order.
struct Submenu {
    const char* text;
    std::vector<UINT> ids;
};

const Submenu kViewerSubmenus[] = {
    {"Set as &Wallpaper", {IDM_WALLPAPER_CENTERED, IDM_WALLPAPER_TILED, IDM_WALLPAPER_STRETCHED}},
    {"&Recent Files", {IDM_RECENT_FILE_FIRST}},
    {"Recent Fol&ders", {IDM_RECENT_FOLDER_FIRST}},
    {"&Zoom", {IDM_VIEW_ZOOM_IN, IDM_VIEW_ZOOM_OUT, IDM_ZOOM_25, IDM_ZOOM_50, IDM_ZOOM_75, IDM_ZOOM_100,
               IDM_ZOOM_200, IDM_ZOOM_400, IDM_ZOOM_CUSTOM_SCALE}},
    {"Thumbnail Si&ze", {IDM_THUMB_SMALL, IDM_THUMB_MEDIUM, IDM_THUMB_LARGE, IDM_THUMB_EXTRA_LARGE}},
};

const Submenu kBrowserSubmenus[] = {
    {"Set as &Wallpaper", {IDM_WALLPAPER_CENTERED, IDM_WALLPAPER_TILED, IDM_WALLPAPER_STRETCHED}},
    {"Recent Fol&ders", {IDM_RECENT_FOLDER_FIRST}},
    {"&Arrange Icons", {IDM_ARRANGE_BY_NAME, IDM_ARRANGE_BY_SIZE, IDM_ARRANGE_BY_TYPE, IDM_ARRANGE_BY_DATE_MODIFIED}},
    {"Thumbnail Si&ze", {IDM_THUMB_SMALL, IDM_THUMB_MEDIUM, IDM_THUMB_LARGE, IDM_THUMB_EXTRA_LARGE}},
    {"Con&vert Selected", {IDM_CONVERT_TO_PNG, IDM_CONVERT_TO_JPEG, IDM_CONVERT_TO_BMP}},
};

// Commands that other parts of the program look for under a given top-level
// menu: the recent lists in the first one, Print and Wallpaper in File,
// Options and Large Toolbar Buttons in View.
struct Placement {
    const char* top;
    UINT id;
};

const Placement kPlacements[] = {
    {"&File", IDM_FILE_PRINT},
    {"&File", IDM_WALLPAPER_CENTERED},
    {"&File", IDM_RECENT_FOLDER_FIRST},
    {"&View", IDM_VIEW_OPTIONS},
    {"&View", IDM_VIEW_LARGE_TOOLBAR_BUTTONS},
};

struct Item {
    UINT id;
    HMENU submenu;
    std::string text;
    UINT state;
    bool separator;
};

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        items.push_back({info.wID, info.hSubMenu, text, info.fState, (info.fType & MFT_SEPARATOR) != 0});
    }
    return items;
}

// Every command id of the menu and its submenus, in menu order.
void CollectIds(HMENU menu, std::vector<UINT>* ids) {
    for (const Item& item : Items(menu)) {
        if (item.submenu)
            CollectIds(item.submenu, ids);
        else if (!item.separator)
            ids->push_back(item.id);
    }
}

HMENU FindSubmenu(HMENU menu, const std::string& text) {
    for (const Item& item : Items(menu)) {
        if (!item.submenu) continue;
        if (item.text == text) return item.submenu;
        if (HMENU found = FindSubmenu(item.submenu, text)) return found;
    }
    return nullptr;
}

std::string ItemText(HMENU menu, UINT id) {
    char text[256] = {};
    if (GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) <= 0) return "<missing>";
    return text;
}

struct MenuHolder {
    HMENU menu;
    explicit MenuHolder(int id) : menu(LoadMenuA(Instance(), MAKEINTRESOURCEA(id))) {}
    ~MenuHolder() {
        if (menu) DestroyMenu(menu);
    }
};

// ---------------------------------------------------------------------------
// Accelerators.

struct Key {
    BYTE mods;  // FCONTROL, FSHIFT
    WORD vk;
    WORD command;
};

const Key kAccelerators[] = {
    {FCONTROL, 'O', IDM_FILE_OPEN},
    {FCONTROL | FSHIFT, 'O', IDM_FILE_OPEN_FOLDER},
    {FCONTROL, 'S', IDM_FILE_SAVE},
    {FCONTROL | FSHIFT, 'S', IDM_FILE_SAVE_AS},
    {FCONTROL, 'P', IDM_FILE_PRINT},
    {FCONTROL, 'C', IDM_EDIT_COPY},
    {FCONTROL, 'X', IDM_EDIT_CUT},
    {FCONTROL, 'V', IDM_EDIT_PASTE},
    {FCONTROL, 'Z', IDM_EDIT_UNDO},
    {FCONTROL, 'A', IDM_EDIT_SELECT_ALL},
    {FCONTROL, 'R', IDM_IMAGE_RESIZE},
    {FCONTROL, 'K', IDM_IMAGE_CROP},
    {FCONTROL, 'U', IDM_IMAGE_ADJUST_COLORS},
    {FCONTROL, '1', IDM_VIEW_ACTUAL_SIZE},
    {0, VK_ADD, IDM_VIEW_ZOOM_IN},
    {0, VK_OEM_PLUS, IDM_VIEW_ZOOM_IN},
    {FSHIFT, VK_OEM_PLUS, IDM_VIEW_ZOOM_IN},  // "+" typed with Shift
    {0, VK_SUBTRACT, IDM_VIEW_ZOOM_OUT},
    {0, VK_OEM_MINUS, IDM_VIEW_ZOOM_OUT},
    {0, VK_LEFT, IDM_GO_PREVIOUS},
    {0, VK_PRIOR, IDM_GO_PREVIOUS},
    {0, VK_RIGHT, IDM_GO_NEXT},
    {0, VK_NEXT, IDM_GO_NEXT},
    {FCONTROL, VK_LEFT, IDM_GO_PREVIOUS},  // in the browser's list and tree
    {FCONTROL, VK_RIGHT, IDM_GO_NEXT},
    {FCONTROL, VK_PRIOR, IDM_GO_PREVIOUS_PAGE},
    {FCONTROL, VK_NEXT, IDM_GO_NEXT_PAGE},
    {0, VK_HOME, IDM_GO_FIRST},
    {0, VK_END, IDM_GO_LAST},
    {0, VK_DELETE, IDM_FILE_DELETE},
    {0, VK_SPACE, IDM_GO_PLAY_PAUSE},
    {0, VK_F1, IDM_HELP_TOPICS},
    {0, VK_F2, IDM_EDIT_RENAME},
    {0, VK_F4, IDM_VIEW_BROWSE_FOLDER},
    {0, VK_F5, IDM_VIEW_REFRESH},
    {0, VK_F8, IDM_VIEW_THUMBNAILS},
    {0, VK_F9, IDM_VIEW_LARGE_ICONS},
    {0, VK_F10, IDM_VIEW_SMALL_ICONS},
    {0, VK_F12, IDM_VIEW_DETAILS},
    {FCONTROL, 'H', IDM_VIEW_SHOW_HIDDEN_FILES},
    {FCONTROL, 'I', IDM_VIEW_HIDE_NON_IMAGES},
    {0, VK_BACK, IDM_VIEW_UP_ONE_LEVEL},
    {0, VK_F11, IDM_VIEW_FULL_SCREEN},
    {FCONTROL, VK_OEM_PERIOD, IDM_IMAGE_ROTATE_CLOCKWISE},
    {FCONTROL, VK_OEM_COMMA, IDM_IMAGE_ROTATE_COUNTERCLOCKWISE},
};

// Key names as menus show them after the tab.
struct KeyName {
    const char* name;
    BYTE mods;
    WORD vk;
};

const KeyName kKeyNames[] = {
    {"Ctrl+O", FCONTROL, 'O'},          {"Ctrl+Shift+O", FCONTROL | FSHIFT, 'O'},
    {"Ctrl+S", FCONTROL, 'S'},          {"Ctrl+Shift+S", FCONTROL | FSHIFT, 'S'},
    {"Ctrl+P", FCONTROL, 'P'},          {"Ctrl+C", FCONTROL, 'C'},
    {"Ctrl+X", FCONTROL, 'X'},          {"Ctrl+V", FCONTROL, 'V'},
    {"Ctrl+Z", FCONTROL, 'Z'},          {"Ctrl+A", FCONTROL, 'A'},
    {"Ctrl+R", FCONTROL, 'R'},          {"Ctrl+K", FCONTROL, 'K'},
    {"Ctrl+U", FCONTROL, 'U'},          {"Ctrl+1", FCONTROL, '1'},
    {"Ctrl+H", FCONTROL, 'H'},          {"Ctrl+I", FCONTROL, 'I'},
    {"Ctrl+.", FCONTROL, VK_OEM_PERIOD}, {"Ctrl+,", FCONTROL, VK_OEM_COMMA},
    {"Ctrl+PgUp", FCONTROL, VK_PRIOR},  {"Ctrl+PgDn", FCONTROL, VK_NEXT},
    {"+", 0, VK_ADD},                   {"-", 0, VK_SUBTRACT},
    {"Left", 0, VK_LEFT},               {"Right", 0, VK_RIGHT},
    {"Home", 0, VK_HOME},               {"End", 0, VK_END},
    {"Del", 0, VK_DELETE},              {"Space", 0, VK_SPACE},
    {"Backspace", 0, VK_BACK},          {"F1", 0, VK_F1},
    {"F2", 0, VK_F2},                   {"F4", 0, VK_F4},
    {"F5", 0, VK_F5},                   {"F8", 0, VK_F8},
    {"F9", 0, VK_F9},                   {"F10", 0, VK_F10},
    {"F11", 0, VK_F11},                 {"F12", 0, VK_F12},
};

// Menu items whose key sends another command that does the same there.
struct Alias {
    UINT item;
    UINT command;
};
const Alias kKeyAliases[] = {
    {IDM_EDIT_UNDO_FILE_OPERATION, IDM_EDIT_UNDO},  // Ctrl+Z undoes file operations in the browser
};

std::vector<ACCEL> LoadAccelEntries() {
    std::vector<ACCEL> entries;
    HACCEL table = LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!table) return entries;
    int count = CopyAcceleratorTableA(table, nullptr, 0);
    entries.resize(count);
    CopyAcceleratorTableA(table, entries.data(), count);
    DestroyAcceleratorTable(table);
    return entries;
}

// The command the accelerator table gives a key with these modifiers; 0
// when none.
WORD CommandOfKey(const std::vector<ACCEL>& table, BYTE mods, WORD vk) {
    for (const ACCEL& a : table)
        if (a.key == vk && (a.fVirt & (FCONTROL | FSHIFT | FALT)) == mods) return a.cmd;
    return 0;
}

void CheckKeyNames(const MenuText* rows, size_t count, HMENU menu) {
    std::vector<ACCEL> table = LoadAccelEntries();
    ASSERT_FALSE(table.empty());
    for (size_t i = 0; i < count; ++i) {
        std::string text = ItemText(menu, rows[i].id);
        size_t tab = text.find('\t');
        if (tab == std::string::npos) continue;
        std::string name = text.substr(tab + 1);
        SCOPED_TRACE(text);
        if (rows[i].id == IDM_FILE_OPEN_SELECTED) {
            EXPECT_EQ(name, "Enter");  // the list's own key, not an accelerator
            continue;
        }
        const KeyName* key = nullptr;
        for (const KeyName& k : kKeyNames)
            if (name == k.name) key = &k;
        ASSERT_NE(key, nullptr) << "unknown key name " << name;
        UINT want = rows[i].id;
        for (const Alias& alias : kKeyAliases)
            if (alias.item == want) want = alias.command;
        EXPECT_EQ(CommandOfKey(table, key->mods, key->vk), want);
    }
}

void CheckMenu(int resource, const MenuText* rows, size_t count, const Submenu* submenus, size_t submenu_count,
               bool whole_texts) {
    MenuHolder holder(resource);
    ASSERT_NE(holder.menu, nullptr);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].id);
        std::string text = ItemText(holder.menu, rows[i].id);
        if (!whole_texts) text = text.substr(0, text.find('\t'));
        EXPECT_EQ(text, rows[i].text);
    }

    // Nothing else is in the menu, and no command appears twice.
    std::vector<UINT> ids;
    CollectIds(holder.menu, &ids);
    std::vector<UINT> want;
    for (size_t i = 0; i < count; ++i) want.push_back(rows[i].id);
    std::sort(ids.begin(), ids.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(ids, want);
    for (UINT id : ids) {
        EXPECT_GE(id, (UINT)IDM_FIRST);
        EXPECT_LE(id, (UINT)IDM_LAST);
    }

    for (size_t i = 0; i < submenu_count; ++i) {
        SCOPED_TRACE(submenus[i].text);
        HMENU sub = FindSubmenu(holder.menu, submenus[i].text);
        ASSERT_NE(sub, nullptr);
        std::vector<UINT> in_order;
        CollectIds(sub, &in_order);
        EXPECT_EQ(in_order, submenus[i].ids);
    }

    // The recent lists are found through their placeholders in the first
    // menu's submenus; the placeholders start grayed.
    HMENU file = GetSubMenu(holder.menu, 0);
    ASSERT_NE(file, nullptr);
    bool has_files = resource == IDR_VIEWER_MENU;
    for (UINT placeholder : {(UINT)IDM_RECENT_FILE_FIRST, (UINT)IDM_RECENT_FOLDER_FIRST}) {
        bool want_found = placeholder == IDM_RECENT_FOLDER_FIRST || has_files;
        bool found = false;
        for (const Item& item : Items(file)) {
            if (!item.submenu) continue;
            for (const Item& inner : Items(item.submenu))
                if (inner.id == placeholder) {
                    found = true;
                    EXPECT_TRUE(inner.state & MFS_GRAYED) << placeholder;
                }
        }
        EXPECT_EQ(found, want_found) << placeholder;
    }

    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.id);
        HMENU top = nullptr;
        for (const Item& item : Items(holder.menu))
            if (item.text == p.top) top = item.submenu;
        ASSERT_NE(top, nullptr) << p.top;
        EXPECT_STRNE(ItemText(top, p.id).c_str(), "<missing>") << "not under " << p.top;
    }
    CheckKeyNames(rows, count, holder.menu);
}

}  // namespace

// The width of an icon's mask bitmap; -1 when the icon has no parts.
static int MaskWidth(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return -1;
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return mask.bmWidth;
}

TEST(Resources, ViewerMenuHoldsEveryCommandWithItsText) {
    CheckMenu(IDR_VIEWER_MENU, kViewerMenu, sizeof kViewerMenu / sizeof kViewerMenu[0], kViewerSubmenus,
              sizeof kViewerSubmenus / sizeof kViewerSubmenus[0], false);
}

TEST(Resources, BrowserMenuHoldsEveryCommandWithItsText) {
    CheckMenu(IDR_BROWSER_MENU, kBrowserMenu, sizeof kBrowserMenu / sizeof kBrowserMenu[0], kBrowserSubmenus,
              sizeof kBrowserSubmenus / sizeof kBrowserSubmenus[0], true);
}

TEST(Resources, AcceleratorTableHasExactlyTheseKeys) {
    std::vector<ACCEL> table = LoadAccelEntries();
    ASSERT_FALSE(table.empty());
    std::vector<std::tuple<int, int, int>> have, want;
    for (const ACCEL& a : table) {
        EXPECT_TRUE(a.fVirt & FVIRTKEY) << "key " << a.key;
        EXPECT_FALSE(a.fVirt & FALT) << "key " << a.key;
        have.emplace_back(a.fVirt & (FCONTROL | FSHIFT | FALT), a.key, a.cmd);
    }
    for (const Key& k : kAccelerators) want.emplace_back(k.mods, k.vk, k.command);
    std::sort(have.begin(), have.end());
    std::sort(want.begin(), want.end());
    std::vector<std::tuple<int, int, int>> missing, extra;
    std::set_difference(want.begin(), want.end(), have.begin(), have.end(), std::back_inserter(missing));
    std::set_difference(have.begin(), have.end(), want.begin(), want.end(), std::back_inserter(extra));
    for (const auto& m : missing)
        ADD_FAILURE() << "missing: mods " << std::get<0>(m) << " key " << std::get<1>(m) << " -> " << std::get<2>(m);
    for (const auto& e : extra)
        ADD_FAILURE() << "extra: mods " << std::get<0>(e) << " key " << std::get<1>(e) << " -> " << std::get<2>(e);
    EXPECT_EQ(have.size(), want.size()) << "duplicate entries";
}

namespace {

WPARAM g_last_command;
int g_command_count;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) {
        g_last_command = wparam;
        ++g_command_count;
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

// Presses a key with the given modifiers held, as the message loop sees it,
// and returns the WM_COMMAND the accelerator table sent (0 when none).
WPARAM Press(HWND window, HACCEL table, BYTE mods, WORD vk, UINT message = WM_KEYDOWN) {
    BYTE state[256] = {};
    if (mods & FCONTROL) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (mods & FSHIFT) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    state[vk] = 0x80;
    SetKeyboardState(state);
    g_last_command = 0;
    g_command_count = 0;
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = vk;
    msg.lParam = 1 | (MapVirtualKeyA(vk, 0) << 16);
    int translated = TranslateAcceleratorA(window, table, &msg);
    BYTE clear[256] = {};
    SetKeyboardState(clear);
    if (!translated) return 0;
    return g_command_count == 1 ? g_last_command : (WPARAM)-1;
}

}  // namespace

TEST(Resources, AcceleratorsSendTheirCommandsOnlyWithTheirModifiers) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordCommands;
    wc.hInstance = Instance();
    wc.lpszClassName = "LumoraAccelProbe";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("LumoraAccelProbe", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, Instance(),
                                nullptr);
    ASSERT_NE(window, nullptr);
    HACCEL table = LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);

    for (const Key& k : kAccelerators) {
        SCOPED_TRACE(testing::Message() << "key " << k.vk << " mods " << (int)k.mods);
        // F10 arrives as a system key, like Alt combinations.
        UINT message = k.vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN;
        EXPECT_EQ(Press(window, table, k.mods, k.vk, message), MAKEWPARAM(k.command, 1));
    }

    // Keys outside the table do nothing, also with extra or missing modifiers.
    struct Miss {
        BYTE mods;
        WORD vk;
    };
    const Miss misses[] = {
        {0, 'O'},           {FSHIFT, 'O'},       {0, 'S'},       {FSHIFT, VK_LEFT},  {FCONTROL, VK_HOME},
        {FCONTROL, VK_END}, {FCONTROL, VK_F4},   {0, VK_F3},     {0, VK_F6},         {0, VK_F7},
        {0, VK_RETURN},     {0, VK_ESCAPE},      {FCONTROL, 'B'}, {FCONTROL, VK_DELETE}, {FSHIFT, VK_SPACE},
        {FCONTROL | FSHIFT, 'P'}, {FCONTROL, VK_ADD}, {FSHIFT, VK_OEM_MINUS},
    };
    for (const Miss& m : misses) {
        SCOPED_TRACE(testing::Message() << "key " << m.vk << " mods " << (int)m.mods);
        EXPECT_EQ(Press(window, table, m.mods, m.vk), 0u);
    }
    DestroyAcceleratorTable(table);
    DestroyWindow(window);
    UnregisterClassA("LumoraAccelProbe", Instance());
}

// ---------------------------------------------------------------------------
// Icons.

namespace {

#pragma pack(push, 2)
struct GroupIconDir {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const BYTE* ResourceBytes(LPCSTR name, LPCSTR type, DWORD* size) {
    HRSRC found = FindResourceA(Instance(), name, type);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(Instance(), found);
    if (size) *size = SizeofResource(Instance(), found);
    return loaded ? (const BYTE*)LockResource(loaded) : nullptr;
}

std::vector<GroupIconEntry> GroupEntries(int id) {
    std::vector<GroupIconEntry> entries;
    DWORD size = 0;
    const BYTE* bytes = ResourceBytes(MAKEINTRESOURCEA(id), (LPCSTR)RT_GROUP_ICON, &size);
    if (!bytes || size < sizeof(GroupIconDir)) return entries;
    const GroupIconDir* dir = (const GroupIconDir*)bytes;
    if (size < sizeof(GroupIconDir) + dir->count * sizeof(GroupIconEntry)) return entries;
    const GroupIconEntry* first = (const GroupIconEntry*)(bytes + sizeof(GroupIconDir));
    entries.assign(first, first + dir->count);
    return entries;
}

// The icon drawn over a solid background, as 0x00RRGGBB pixels, top row first.
std::vector<unsigned> Render(HICON icon, int size, COLORREF background) {
    std::vector<unsigned> pixels;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc && dib) {
        HGDIOBJ old = SelectObject(dc, dib);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const unsigned* p = (const unsigned*)bits;
        for (int i = 0; i < size * size; ++i) pixels.push_back(p[i] & 0xFFFFFF);
        SelectObject(dc, old);
    }
    if (dib) DeleteObject(dib);
    if (dc) DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Share of pixels the icon covers completely: those that look the same on
// a white and on a black background.
double OpaqueShare(HICON icon, int size) {
    std::vector<unsigned> on_white = Render(icon, size, RGB(255, 255, 255));
    std::vector<unsigned> on_black = Render(icon, size, RGB(0, 0, 0));
    if (on_white.empty() || on_white.size() != on_black.size()) return -1;
    size_t same = 0;
    for (size_t i = 0; i < on_white.size(); ++i) same += on_white[i] == on_black[i];
    return (double)same / on_white.size();
}

BOOL CALLBACK CollectIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    ((std::vector<int>*)param)->push_back(IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : -1);
    return TRUE;
}

const int kTypeIcons[] = {IDI_TYPE_BMP, IDI_TYPE_JPEG, IDI_TYPE_PNG,  IDI_TYPE_GIF, IDI_TYPE_TIFF,
                          IDI_TYPE_OTHER, IDI_TYPE_TARGA, IDI_TYPE_PSD, IDI_TYPE_PIC, IDI_TYPE_PNM,
                          IDI_TYPE_PCX, IDI_TYPE_DCX, IDI_TYPE_IFF,  IDI_TYPE_WMF, IDI_TYPE_PCD};

}  // namespace

TEST(Resources, IconGroupsSitInTheOrderAssociationsCountOn) {
    std::vector<int> groups;
    EnumResourceNamesA(Instance(), (LPCSTR)RT_GROUP_ICON, CollectIconGroup, (LONG_PTR)&groups);
    std::vector<int> want = {IDI_LUMORA};
    for (int id : kTypeIcons) want.push_back(id);
    std::sort(want.begin() + 1, want.end());
    ASSERT_EQ(groups, want);

    // "lumora.exe,N" in a DefaultIcon value is the N-th group: the shell's
    // own extraction must find the same pictures the ids give.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    EXPECT_EQ((UINT)(UINT_PTR)ExtractIconA(Instance(), path, (UINT)-1), want.size());
    for (size_t n = 0; n < want.size(); ++n) {
        SCOPED_TRACE(testing::Message() << "index " << n << ", group " << want[n]);
        HICON extracted = ExtractIconA(Instance(), path, (UINT)n);
        HICON loaded = (HICON)LoadImageA(Instance(), MAKEINTRESOURCEA(want[n]), IMAGE_ICON, 32, 32, 0);
        ASSERT_NE(extracted, nullptr);
        ASSERT_NE(loaded, nullptr);
        EXPECT_TRUE(Render(extracted, 32, RGB(255, 0, 255)) == Render(loaded, 32, RGB(255, 0, 255)));
        DestroyIcon(extracted);
        DestroyIcon(loaded);
    }
}

TEST(Resources, ProgramIconOffersBothSizesInSeveralDepths) {
    std::vector<GroupIconEntry> entries = GroupEntries(IDI_LUMORA);
    ASSERT_FALSE(entries.empty());
    for (int size : {16, 32}) {
        std::vector<int> depths;
        for (const GroupIconEntry& e : entries)
            if (e.width == size && e.height == size) depths.push_back(e.bit_count);
        std::sort(depths.begin(), depths.end());
        depths.erase(std::unique(depths.begin(), depths.end()), depths.end());
        EXPECT_GE(depths.size(), 2u) << size << " pixels";
    }
    for (const GroupIconEntry& e : entries) {
        int size = e.width ? e.width : 256;
        SCOPED_TRACE(testing::Message() << size << " pixels, " << e.bit_count << " bits");
        DWORD bytes = 0;
        const BYTE* image = ResourceBytes(MAKEINTRESOURCEA(e.id), (LPCSTR)RT_ICON, &bytes);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(bytes, e.bytes);
        ASSERT_GE(bytes, sizeof(BITMAPINFOHEADER));
        const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)image;
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask rows
        EXPECT_EQ(header->biBitCount, e.bit_count);
        EXPECT_EQ(e.colors, e.bit_count == 4 ? 16 : 0);
        HICON icon = CreateIconFromResourceEx((PBYTE)image, bytes, TRUE, 0x00030000, size, size, 0);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(MaskWidth(icon), size);
        // A picture frame: mostly covered, with a transparent margin.
        double share = OpaqueShare(icon, size);
        EXPECT_GT(share, 0.70);
        EXPECT_LT(share, 0.99);
        DestroyIcon(icon);
    }
}

TEST(Resources, TypeIconsLoadAtBothListSizesAndDiffer) {
    for (int size : {16, 32}) {
        std::vector<std::vector<unsigned>> pictures;
        for (int id : kTypeIcons) {
            SCOPED_TRACE(testing::Message() << "icon " << id << " at " << size);
            HICON icon = (HICON)LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(MaskWidth(icon), size);
            // A sheet of paper: narrower than the square it sits in.
            double share = OpaqueShare(icon, size);
            EXPECT_GT(share, 0.55);
            EXPECT_LT(share, 0.95);
            pictures.push_back(Render(icon, size, RGB(255, 255, 255)));
            DestroyIcon(icon);
        }
        for (size_t a = 0; a < pictures.size(); ++a)
            for (size_t b = a + 1; b < pictures.size(); ++b)
                EXPECT_TRUE(pictures[a] != pictures[b])
                    << "icons " << kTypeIcons[a] << " and " << kTypeIcons[b] << " look alike at " << size;
    }
}

// ---------------------------------------------------------------------------
// Toolbar strips.

namespace {

struct Strip {
    int id;
    int cell;
    int count;
};

const Strip kStrips[] = {
    {IDB_VIEWER_TOOLBAR_LARGE, 24, IMG_VIEWER_COUNT},
    {IDB_VIEWER_TOOLBAR_SMALL, 16, IMG_VIEWER_COUNT},
    {IDB_BROWSER_TOOLBAR_LARGE, 24, IMG_BROWSER_COUNT},
    {IDB_BROWSER_TOOLBAR_SMALL, 16, IMG_BROWSER_COUNT},
};

// An 8-bit resource bitmap decoded to palette colours, top row first.
struct RawStrip {
    int width = 0, height = 0;
    std::vector<RGBQUAD> palette;
    std::vector<BYTE> index;  // width * height
};

bool ReadRawStrip(int id, RawStrip* out) {
    DWORD size = 0;
    const BYTE* bytes = ResourceBytes(MAKEINTRESOURCEA(id), (LPCSTR)RT_BITMAP, &size);
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return false;
    const BITMAPINFOHEADER* h = (const BITMAPINFOHEADER*)bytes;
    if (h->biSize != sizeof(BITMAPINFOHEADER) || h->biBitCount != 8 || h->biCompression != BI_RGB || h->biHeight <= 0)
        return false;
    int colours = h->biClrUsed ? (int)h->biClrUsed : 256;
    size_t stride = ((size_t)h->biWidth + 3) & ~(size_t)3;
    size_t need = h->biSize + colours * sizeof(RGBQUAD) + stride * h->biHeight;
    if (colours > 256 || size < need) return false;
    const RGBQUAD* palette = (const RGBQUAD*)(bytes + h->biSize);
    out->palette.assign(palette, palette + colours);
    out->width = h->biWidth;
    out->height = h->biHeight;
    const BYTE* rows = (const BYTE*)(palette + colours);
    out->index.clear();
    for (int y = 0; y < out->height; ++y) {
        const BYTE* row = rows + stride * (out->height - 1 - y);
        out->index.insert(out->index.end(), row, row + out->width);
    }
    return true;
}

bool IsGray(const RGBQUAD& q, BYTE level) { return q.rgbRed == level && q.rgbGreen == level && q.rgbBlue == level; }

// When the button face is the strips' own gray, sets another face colour
// for the life of the guard, so the mapping cannot pass by accident.
struct FaceColour {
    COLORREF saved;
    bool changed = false;
    explicit FaceColour(COLORREF other) : saved(GetSysColor(COLOR_3DFACE)) {
        if (saved != RGB(192, 192, 192)) return;
        INT element = COLOR_3DFACE;
        changed = SetSysColors(1, &element, &other) != 0;
    }
    ~FaceColour() {
        if (!changed) return;
        INT element = COLOR_3DFACE;
        SetSysColors(1, &element, &saved);
    }
};

}  // namespace

TEST(Resources, ToolbarStripsHaveTheirSizes) {
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.id);
        HBITMAP bitmap = (HBITMAP)LoadImageA(Instance(), MAKEINTRESOURCEA(s.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(bitmap, nullptr);
        BITMAP info = {};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, s.cell * s.count);
        EXPECT_EQ(info.bmHeight, s.cell);
        DeleteObject(bitmap);
    }
    // The sizes the toolbar code asks for.
    EXPECT_EQ(IMG_VIEWER_COUNT * 24, 456);
    EXPECT_EQ(IMG_VIEWER_COUNT * 16, 304);
}

TEST(Resources, ToolbarStripsKeepTheirArtOffTheMappedColours) {
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.id);
        RawStrip raw;
        ASSERT_TRUE(ReadRawStrip(s.id, &raw)) << "an 8-bit bitmap with a colour table";
        int face = -1, faces = 0;
        for (size_t i = 0; i < raw.palette.size(); ++i) {
            if (IsGray(raw.palette[i], 192)) face = (int)i, ++faces;
            // The other colours the loaders may replace by system colours.
            for (BYTE level : {0, 128, 223, 255}) EXPECT_FALSE(IsGray(raw.palette[i], level)) << "entry " << i;
        }
        ASSERT_EQ(faces, 1);
        // Every cell has a picture and a background, and no two are the same.
        std::vector<std::vector<BYTE>> cells;
        for (int c = 0; c < s.count; ++c) {
            std::vector<BYTE> cell;
            for (int y = 0; y < s.cell; ++y)
                for (int x = 0; x < s.cell; ++x) cell.push_back(raw.index[y * raw.width + c * s.cell + x]);
            size_t background = std::count(cell.begin(), cell.end(), (BYTE)face);
            EXPECT_GT(background, 0u) << "cell " << c;
            EXPECT_LT(background, cell.size() * 3 / 4) << "cell " << c << " is nearly empty";
            for (size_t other = 0; other < cells.size(); ++other)
                EXPECT_TRUE(cells[other] != cell) << "cells " << other << " and " << c << " are the same";
            cells.push_back(cell);
        }
    }
}

namespace {

// Counts the pixels of a loaded strip that differ from the resource: the
// background must have become `face`, everything else must be unchanged.
void CountMappingErrors(HBITMAP mapped, const RawStrip& raw, COLORREF face, int* wrong_background, int* wrong_art) {
    *wrong_background = *wrong_art = -1;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = raw.width;
    info.bmiHeader.biHeight = -raw.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<unsigned> pixels(raw.width * raw.height);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, mapped, 0, raw.height, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != raw.height) return;
    unsigned face_rgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    *wrong_background = *wrong_art = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const RGBQUAD& q = raw.palette[raw.index[i]];
        unsigned have = pixels[i] & 0xFFFFFF;
        unsigned art = (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
        if (IsGray(q, 192))
            *wrong_background += have != face_rgb;
        else
            *wrong_art += have != art;
    }
}

}  // namespace

TEST(Resources, ToolbarStripBackgroundBecomesTheButtonFace) {
    FaceColour face(RGB(212, 208, 200));  // any colour but the strips' gray
    COLORREF want_face = GetSysColor(COLOR_3DFACE);
    ASSERT_NE(want_face, RGB(192, 192, 192)) << "could not change the face colour";
    for (const Strip& s : kStrips) {
        SCOPED_TRACE(s.id);
        RawStrip raw;
        ASSERT_TRUE(ReadRawStrip(s.id, &raw));
        // Both ways of loading with the system colours: the loader's flag,
        // and the common controls' mapped bitmap.
        HBITMAP loaded = (HBITMAP)LoadImageA(Instance(), MAKEINTRESOURCEA(s.id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
        HBITMAP created = CreateMappedBitmap(Instance(), s.id, 0, nullptr, 0);
        ASSERT_NE(loaded, nullptr);
        ASSERT_NE(created, nullptr);
        int wrong_background, wrong_art;
        CountMappingErrors(loaded, raw, want_face, &wrong_background, &wrong_art);
        EXPECT_EQ(wrong_background, 0) << "LoadImage";
        EXPECT_EQ(wrong_art, 0) << "LoadImage changed art pixels";
        CountMappingErrors(created, raw, want_face, &wrong_background, &wrong_art);
        EXPECT_EQ(wrong_background, 0) << "CreateMappedBitmap";
        EXPECT_EQ(wrong_art, 0) << "CreateMappedBitmap changed art pixels";
        DeleteObject(loaded);
        DeleteObject(created);
    }
}
