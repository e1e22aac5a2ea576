#include "app/commands.h"

#include <windows.h>

#include "browser/browser.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "res/resource.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "ui/chrome.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/edit_dialogs.h"
#include "app/layout.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/save_commands.h"
#include "viewer/shown_file_commands.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

void exit_command(int) { PostMessageA(g_viewer.main_window, WM_CLOSE, 0, 0); }

void large_buttons_command(int) {
    g_settings.LargeButtons = !g_settings.LargeButtons;  // written by the next full save only
    CreateToolbar();
    browser_recreate_toolbar();
    LayoutMainWindow();  // also moves the check mark
}

void zoom_command(int id) { ZoomCommand(id); }

void refresh_command(int) {
    if (!g_viewer.current_path[0]) return;
    if (g_viewer.edited && !ConfirmDiscard()) return;
    char path[260];
    lstrcpynA(path, g_viewer.current_path, sizeof path);
    if (LoadDocument(path)) {
        scan_folder(path);
    }
    LayoutMainWindow();
}

void full_screen_command(int) { ToggleFullScreen(); }
void slide_show_command(int) { ToggleSlideShow(); }
void play_pause_command(int) { PlayPause(); }
void page_command(int id) { StepPage(id == IDM_GO_PREVIOUS_PAGE ? -1 : +1); }

void in_browser(int id) { browser_command(id); }
// The picture behind the browser is not edited: the user cannot see it.
void viewer_only(int) {}

void open_selected_command(int) { browser_open_selected(); }

void save_command(int) { SaveImage(); }
void save_as_command(int) { SaveImageAs(); }
void export_command(int) { ExportFrames(); }
void delete_command(int) { DeleteShownFile(); }
void edit_in_paint_command(int) { EditInPaint(); }
void copy_command(int) { CopyToClipboard(); }
void undo_command(int) { UndoEdit(); }
void crop_command(int) { ToggleCropMode(); }

// Short names keep the table one row a line.
const CheckRule kNoCheck = kCheckNone;
const int kNo = kNoImage;
const TextId kNoTip = kTextNone;

}  // namespace

// In id order. A null handler is a command whose work is not built yet.
// columns: id, viewer, browser, enabled, check, value, viewer image, browser image, tooltip
const CommandRow kCommandTable[] = {
    {IDM_FILE_OPEN, OnOpenCommand, nullptr, kEnabledAlways, kNoCheck, 0, IMG_VIEWER_OPEN, kNo, kTextTipOpen},
    {IDM_FILE_SAVE_AS, save_as_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_PRINT, nullptr, nullptr, kEnabledWithImageTarget, kNoCheck, 0, IMG_VIEWER_PRINT, IMG_BROWSER_PRINT, kTextTipPrint},
    {IDM_FILE_DELETE, delete_command, in_browser, kEnabledWithAnyTarget, kNoCheck, 0, kNo, IMG_BROWSER_DELETE, kTextTipDelete},
    {IDM_FILE_PROPERTIES, nullptr, in_browser, kEnabledWithAnyTarget, kNoCheck, 0, kNo, IMG_BROWSER_PROPERTIES, kTextTipProperties},
    {IDM_FILE_EXIT, exit_command, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_SAVE, save_command, nullptr, kEnabledWithImage, kNoCheck, 0, IMG_VIEWER_SAVE, kNo, kTextTipSave},
    {IDM_FILE_OPEN_FOLDER, OnOpenFolderCommand, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_IN_PAINT, edit_in_paint_command, in_browser, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_PREVIOUS, OnStepCommand, nullptr, kEnabledWithSeveralFiles, kNoCheck, 0, IMG_VIEWER_PREVIOUS, kNo, kTextTipPrevious},
    {IDM_GO_NEXT, OnStepCommand, nullptr, kEnabledWithSeveralFiles, kNoCheck, 0, IMG_VIEWER_NEXT, kNo, kTextTipNext},
    {IDM_GO_FIRST, OnStepCommand, nullptr, kEnabledWithSeveralFiles, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_LAST, OnStepCommand, nullptr, kEnabledWithSeveralFiles, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_BEST_FIT, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, IMG_VIEWER_BEST_FIT, kNo, kTextTipBestFit},
    {IDM_VIEW_ACTUAL_SIZE, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, IMG_VIEWER_ACTUAL_SIZE, kNo, kTextTipActualSize},
    {IDM_VIEW_ZOOM_IN, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, IMG_VIEWER_ZOOM_IN, kNo, kTextTipZoomIn},
    {IDM_VIEW_ZOOM_OUT, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, IMG_VIEWER_ZOOM_OUT, kNo, kTextTipZoomOut},
    {IDM_VIEW_FULL_SCREEN, full_screen_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SLIDE_SHOW, slide_show_command, in_browser, kEnabledWithSlideShow, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_LARGE_TOOLBAR_BUTTONS, large_buttons_command, nullptr, kEnabledAlways, kCheckLargeButtons, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_BROWSE_FOLDER, in_browser, nullptr, kEnabledAlways, kNoCheck, 0, IMG_VIEWER_BROWSE, IMG_BROWSER_BACK_TO_VIEWER, kTextTipBrowseBack},
    {IDM_VIEW_OPTIONS, nullptr, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_REFRESH, refresh_command, in_browser, kEnabledWithRefresh, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_ROTATE_CLOCKWISE, TransformCommand, in_browser, kEnabledWithImageTarget, kNoCheck, 0, IMG_VIEWER_ROTATE_RIGHT, IMG_BROWSER_ROTATE_RIGHT, kTextTipRotateRight},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, TransformCommand, in_browser, kEnabledWithImageTarget, kNoCheck, 0, IMG_VIEWER_ROTATE_LEFT, IMG_BROWSER_ROTATE_LEFT, kTextTipRotateLeft},
    {IDM_VIEW_THUMBNAILS, in_browser, nullptr, kEnabledBrowsing, kRadioBrowseView, 0, kNo, IMG_BROWSER_THUMBNAILS, kTextTipThumbnails},
    {IDM_VIEW_LARGE_ICONS, in_browser, nullptr, kEnabledBrowsing, kRadioBrowseView, 1, kNo, IMG_BROWSER_LARGE_ICONS, kTextTipLargeIcons},
    {IDM_VIEW_SMALL_ICONS, in_browser, nullptr, kEnabledBrowsing, kRadioBrowseView, 2, kNo, IMG_BROWSER_SMALL_ICONS, kTextTipSmallIcons},
    {IDM_VIEW_LIST, in_browser, nullptr, kEnabledBrowsing, kRadioBrowseView, 3, kNo, IMG_BROWSER_LIST, kTextTipList},
    {IDM_VIEW_DETAILS, in_browser, nullptr, kEnabledBrowsing, kRadioBrowseView, 4, kNo, IMG_BROWSER_DETAILS, kTextTipDetails},
    {IDM_VIEW_FOLDER_TREE, in_browser, nullptr, kEnabledBrowsing, kCheckFolderTree, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_CUT, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, IMG_BROWSER_CUT, kTextTipCut},
    {IDM_FILE_NEW_FOLDER, in_browser, nullptr, kEnabledBrowsingNotThumbnails, kNoCheck, 0, kNo, IMG_BROWSER_NEW_FOLDER, kTextTipNewFolder},
    {IDM_HELP_ABOUT, nullptr, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_CENTERED, nullptr, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_TILED, nullptr, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_STRETCHED, nullptr, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_FLIP_HORIZONTAL, TransformCommand, viewer_only, kEnabledViewingImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_FLIP_VERTICAL, TransformCommand, viewer_only, kEnabledViewingImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_RESIZE, ResizeCommand, viewer_only, kEnabledViewingImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_CROP, crop_command, viewer_only, kEnabledViewingImage, kCheckCropMode, 0, IMG_VIEWER_CROP, kNo, kTextTipCrop},
    {IDM_IMAGE_ADJUST_COLORS, AdjustColorsCommand, viewer_only, kEnabledViewingImage, kNoCheck, 0, IMG_VIEWER_ADJUST_COLORS, kNo, kTextTipAdjustColors},
    {IDM_IMAGE_GRAYSCALE, TransformCommand, viewer_only, kEnabledViewingImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_COPY, copy_command, in_browser, kEnabledWithAnyTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_EXPORT_FRAMES, export_command, nullptr, kEnabledWithSeveralFrames, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_PRINT_THUMBNAILS, nullptr, nullptr, kEnabledWithFiles, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_UNDO, undo_command, in_browser, kEnabledWithUndo, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_PREVIOUS_PAGE, page_command, nullptr, kEnabledWithSeveralFrames, kNoCheck, 0, IMG_VIEWER_PREVIOUS, kNo, kTextTipPreviousPage},
    {IDM_GO_NEXT_PAGE, page_command, nullptr, kEnabledWithSeveralFrames, kNoCheck, 0, IMG_VIEWER_NEXT, kNo, kTextTipNextPage},
    {IDM_GO_PLAY_PAUSE, play_pause_command, nullptr, kEnabledWithSeveralFrames, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_25, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_50, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_75, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_100, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_200, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_400, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_CUSTOM_SCALE, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SHRINK_TO_FIT, zoom_command, nullptr, kEnabledWithImage, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_BMP, in_browser, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_PNG, in_browser, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_JPEG, in_browser, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_RESIZE_SELECTED, in_browser, nullptr, kEnabledWithImageTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_THUMB_SMALL, in_browser, nullptr, kEnabledAlways, kRadioThumbSize, 0, kNo, kNo, kNoTip},
    {IDM_THUMB_MEDIUM, in_browser, nullptr, kEnabledAlways, kRadioThumbSize, 1, kNo, kNo, kNoTip},
    {IDM_THUMB_LARGE, in_browser, nullptr, kEnabledAlways, kRadioThumbSize, 2, kNo, kNo, kNoTip},
    {IDM_THUMB_EXTRA_LARGE, in_browser, nullptr, kEnabledAlways, kRadioThumbSize, 3, kNo, kNo, kNoTip},
    {IDM_EDIT_SELECT_ALL, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_RENAME, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_UP_ONE_LEVEL, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, IMG_BROWSER_UP_ONE_LEVEL, kTextTipUpOneLevel},
    {IDM_TOOLBAR_COPY, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, IMG_BROWSER_COPY, kTextTipCopy},
    {IDM_EDIT_PASTE, in_browser, nullptr, kEnabledWithPaste, kNoCheck, 0, kNo, IMG_BROWSER_PASTE, kTextTipPaste},
    {IDM_EDIT_UNDO_FILE_OPERATION, in_browser, nullptr, kEnabledAlways, kNoCheck, 0, kNo, IMG_BROWSER_UNDO, kTextTipUndo},
    {IDM_FILE_OPEN_SELECTED, open_selected_command, nullptr, kEnabledWithSelection, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_COPY_TO_FOLDER, in_browser, nullptr, kEnabledWithSelection, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_MOVE_TO_FOLDER, in_browser, nullptr, kEnabledWithSelection, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SLIDE_SHOW_RECURSIVE, in_browser, nullptr, kEnabledBrowsing, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_NAME, in_browser, nullptr, kEnabledAlways, kRadioSortKey, 0, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_SIZE, in_browser, nullptr, kEnabledAlways, kRadioSortKey, 1, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_TYPE, in_browser, nullptr, kEnabledAlways, kRadioSortKey, 2, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_DATE_MODIFIED, in_browser, nullptr, kEnabledAlways, kRadioSortKey, 3, kNo, kNo, kNoTip},
    {IDM_VIEW_HIDE_NON_IMAGES, in_browser, nullptr, kEnabledBrowsingNotThumbnails, kCheckHideNonImages, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SHOW_HIDDEN_FILES, in_browser, nullptr, kEnabledAlways, kCheckShowHidden, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_GENERATE_FILE_LISTING, in_browser, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_OPEN_WITH, nullptr, nullptr, kEnabledWithAnyTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_WITH, nullptr, nullptr, kEnabledWithAnyTarget, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_HELP_TOPICS, nullptr, nullptr, kEnabledAlways, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_ADDRESS_BAR, in_browser, nullptr, kEnabledAlways, kCheckAddressBar, 0, kNo, kNo, kNoTip},
};
const int kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];

const CommandRow* FindCommand(int id) {
    for (const CommandRow& row : kCommandTable)
        if (row.id == id) return &row;
    return nullptr;
}

bool DispatchCommand(int id) {
    if (id >= IDM_RECENT_FILE_FIRST && id <= IDM_RECENT_FILE_LAST) {
        OnRecentFileCommand(id - IDM_RECENT_FILE_FIRST);
        return true;
    }
    if (id >= IDM_RECENT_FOLDER_FIRST && id <= IDM_RECENT_FOLDER_LAST) {
        OnRecentFolderCommand(id - IDM_RECENT_FOLDER_FIRST);
        return true;
    }
    const CommandRow* row = FindCommand(id);
    if (!row) return false;
    CommandHandler handler = (g_viewer.BrowseMode && row->browser) ? row->browser : row->viewer;
    if (handler) handler(id);
    return true;
}

namespace {

bool list_has_image() {
    for (int i = 0; i < g_file_list.count; ++i)
        if (file_list_is_image(&g_file_list, i)) return true;
    return false;
}

// Marks the chosen item of the radio group that starts at row `first` and
// returns the row after the group.
int mark_radio_group(HMENU menu, int first, const WindowFacts& facts) {
    const CommandRow& head = kCommandTable[first];
    int end = first, chosen = -1;
    while (end < kCommandTableSize && kCommandTable[end].check == head.check) {
        if (IsChecked(head.check, kCommandTable[end].check_value, facts)) chosen = kCommandTable[end].id;
        ++end;
    }
    if (chosen >= 0) CheckMenuRadioItem(menu, head.id, kCommandTable[end - 1].id, chosen, MF_BYCOMMAND);
    return end;
}

}  // namespace

WindowFacts CurrentWindowFacts() {
    const ViewerState& v = g_viewer;
    WindowFacts f = {};
    f.image_shown = v.shown != nullptr;
    f.file_count = g_file_list.count;
    f.list_has_image = v.BrowseMode && list_has_image();
    f.frame_count = v.document.count;
    f.browse_mode = v.BrowseMode;
    f.selected_count = v.BrowseMode ? browser_selected_count() : 0;
    f.selection_has_image = v.BrowseMode && browser_selection_has_image();
    f.has_undo = v.undo_image != nullptr;
    f.has_current_path = v.current_path[0] != 0;
    f.clipboard_has_files = v.BrowseMode && IsClipboardFormatAvailable(CF_HDROP);
    f.browse_view = g_settings.BrowseView;
    f.sort_key = SortKey;
    f.thumb_size = g_settings.ThumbSize;
    f.folder_tree = g_settings.FolderTree != 0;
    f.addr_bar = g_settings.AddrBar != 0;
    f.show_all_files = g_settings.ShowAllFiles != 0;
    f.show_hidden = g_settings.ShowHidden != 0;
    f.large_buttons = g_settings.LargeButtons != 0;
    f.crop_mode = v.crop_mode;
    return f;
}

bool IsCommandEnabled(int id, const WindowFacts& facts) {
    const CommandRow* row = FindCommand(id);
    return row && IsEnabled(row->enabled, facts);
}

void UpdateMenuState() {
    HMENU menu = g_viewer.main_window ? GetMenu(g_viewer.main_window) : nullptr;
    if (!menu) return;  // none attached, as in full screen
    WindowFacts facts = CurrentWindowFacts();
    for (const CommandRow& row : kCommandTable) {
        EnableMenuItem(menu, row.id, MF_BYCOMMAND | (IsEnabled(row.enabled, facts) ? MF_ENABLED : MF_GRAYED));
        if (row.check != kCheckNone && !IsRadioRule(row.check))
            CheckMenuItem(menu, row.id, MF_BYCOMMAND | (IsChecked(row.check, 0, facts) ? MF_CHECKED : MF_UNCHECKED));
    }
    for (int i = 0; i < kCommandTableSize;)
        i = IsRadioRule(kCommandTable[i].check) ? mark_radio_group(menu, i, facts) : i + 1;
    DrawMenuBar(g_viewer.main_window);
}
