#include "app/commands.h"

#include <windows.h>

#include "app/browse_mode.h"
#include "app/layout.h"
#include "app/options_command.h"
#include "app/open_commands.h"
#include "app/print_commands.h"
#include "app/shell_commands.h"
#include "app/toolbars.h"
#include "browser/browser.h"
#include "core/stb_adapter.h"
#include "print/print_layout_pure.h"
#include "res/resource.h"
#include "app/recent_commands.h"
#include "shell/recent.h"
#include "shell/settings.h"
#include "shell/wallpaper.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"
#include "ui/work.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/edit_dialogs.h"
#include "viewer/navigation.h"
#include "viewer/playback.h"
#include "viewer/save_commands.h"
#include "viewer/shown_file_commands.h"
#include "viewer/view.h"
#include "viewer/viewer_state.h"

namespace {

// --- Both modes -------------------------------------------------------------

void open_file(int, int) { OnOpenCommand(); }
void open_folder(int, int) { OnOpenFolderCommand(); }
void exit_program(int, int) { PostMessageA(g_frame.window, WM_CLOSE, 0, 0); }
void browse_or_back(int, int) { toggle_browse_mode(); }
void save(int, int) { SaveImage(); }
void save_as(int, int) { SaveImageAs(); }
void print(int, int) { print_command(0); }
void print_thumbnails(int, int) { print_command(kContactSheet); }
void options(int, int) { ShowOptions(); }
void open_with(int, int) { OpenWithCommand(); }
void edit_with(int, int) { EditWithCommand(); }
void wallpaper(int, int mode) { WallpaperCommand(mode); }
void help_topics(int, int) { HelpTopicsCommand(); }
void about(int, int) { AboutCommand(); }

void large_buttons(int, int) {
    g_settings.LargeButtons = !g_settings.LargeButtons;  // written by the next full save only
    CreateToolbar();
    browser_recreate_toolbar();
    LayoutMainWindow();  // also moves the check mark
}

void thumb_size(int, int size_item) { browser_set_thumb_size(size_item); }
void arrange(int, int key) { browser_arrange(key); }
void show_hidden(int, int) { browser_toggle_listing(true); }

// --- The viewer -------------------------------------------------------------

void zoom(int id, int) { ZoomCommand(id); }
void step(int id, int) { OnStepCommand(id); }
void transform(int id, int) { TransformCommand(id); }
void resize(int id, int) { ResizeCommand(id); }
void adjust_colors(int id, int) { AdjustColorsCommand(id); }
void crop(int, int) { ToggleCropMode(); }
void undo(int, int) { UndoEdit(); }
void copy_picture(int, int) { CopyToClipboard(); }
void export_frames(int, int) { ExportFrames(); }
void delete_file(int, int) { DeleteShownFile(); }
void edit_in_paint(int, int) { EditInPaint(); }
void full_screen(int, int) { ToggleFullScreen(); }
void slide_show(int, int) { ToggleSlideShow(); }
void play_pause(int, int) { PlayPause(); }
void page(int id, int) { StepPage(id == IDM_GO_PREVIOUS_PAGE ? -1 : +1); }
void file_properties(int, int) { PropertiesCommand(); }

// F5 in the viewer: the shown file read again, and its folder.
void reload(int, int) {
    if (!g_viewer.current_path[0]) return;
    if (g_viewer.edited && !ConfirmDiscard()) return;
    char path[260];
    lstrcpynA(path, g_viewer.current_path, sizeof path);
    if (LoadDocument(path)) scan_folder(path);
    LayoutMainWindow();
}

// --- The browser ------------------------------------------------------------

void full_screen_from_list(int, int) { full_screen_from_browser(); }
void view_mode(int, int mode) { browser_set_view_mode(mode); }
void up_one_level(int, int) { browser_up_one_level(); }
void select_all(int, int) { browser_select_all(); }
void rename(int, int) { browser_rename(); }
void hide_non_images(int, int) { browser_toggle_listing(false); }
void refresh_folder(int, int) { browser_refresh(); }
void edit_selected_in_paint(int, int) { browser_edit_in_paint(); }
void open_selected(int, int) { open_selected_item(); }
void cut_files(int, int) { browser_copy_to_clipboard(true); }
void copy_files(int, int) { browser_copy_to_clipboard(false); }
void paste(int, int) { browser_paste(); }
void delete_selection(int, int) { browser_delete_selection(); }
void new_folder(int, int) { browser_new_folder(); }
void undo_file_operation(int, int) { browser_undo_file_operation(); }
void copy_to_folder(int, int) { browser_copy_or_move_to_folder(false); }
void move_to_folder(int, int) { browser_copy_or_move_to_folder(true); }
void properties(int, int) { browser_show_properties(); }
void rotate_selected(int id, int) { browser_rotate_selected(id == IDM_IMAGE_ROTATE_CLOCKWISE); }
void convert_selected(int, int format) { browser_convert_selected(format); }
void resize_selected(int, int) { browser_resize_selected(); }
void slide_show_selection(int, int) { slide_show_from_browser(false); }
void slide_show_tree(int, int) { slide_show_from_browser(true); }
void file_listing(int, int) { browser_write_listing(); }
void folder_tree(int, int) { browser_toggle_folder_tree(); }
void address_bar(int, int) { browser_toggle_address_bar(); }

// Short names keep the table one row a line.
const CommandHandler kNotHere = nullptr;   // the command means nothing in this mode
const EnableRule kSame = kSameAsMenu;
const CheckRule kNoCheck = kCheckNone;
const int kNo = kNoImage;
const TextId kNoTip = kTextNone;

}  // namespace

// In id order.
// columns: id, viewer, browser, enabled, in the panes, check, value, viewer image, browser image, tooltip
const CommandRow kCommandTable[] = {
    {IDM_FILE_OPEN, open_file, open_file, kEnabledAlways, kSame, kNoCheck, 0, IMG_VIEWER_OPEN, kNo, kTextTipOpen},
    {IDM_FILE_SAVE_AS, save_as, save_as, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_PRINT, print, print, kEnabledWithImageTarget, kSame, kNoCheck, 0, IMG_VIEWER_PRINT, IMG_BROWSER_PRINT, kTextTipPrint},
    {IDM_FILE_DELETE, delete_file, delete_selection, kEnabledWithAnyTarget, kSame, kNoCheck, 0, kNo, IMG_BROWSER_DELETE, kTextTipDelete},
    {IDM_FILE_PROPERTIES, file_properties, properties, kEnabledWithAnyTarget, kSame, kNoCheck, 0, kNo, IMG_BROWSER_PROPERTIES, kTextTipProperties},
    {IDM_FILE_EXIT, exit_program, exit_program, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_SAVE, save, save, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_SAVE, kNo, kTextTipSave},
    {IDM_FILE_OPEN_FOLDER, open_folder, open_folder, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_IN_PAINT, edit_in_paint, edit_selected_in_paint, kEnabledWithImageTarget, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_PREVIOUS, step, kNotHere, kEnabledWithSeveralFiles, kSame, kNoCheck, 0, IMG_VIEWER_PREVIOUS, kNo, kTextTipPrevious},
    {IDM_GO_NEXT, step, kNotHere, kEnabledWithSeveralFiles, kSame, kNoCheck, 0, IMG_VIEWER_NEXT, kNo, kTextTipNext},
    {IDM_GO_FIRST, step, kNotHere, kEnabledWithSeveralFiles, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_LAST, step, kNotHere, kEnabledWithSeveralFiles, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_BEST_FIT, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_BEST_FIT, kNo, kTextTipBestFit},
    {IDM_VIEW_ACTUAL_SIZE, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_ACTUAL_SIZE, kNo, kTextTipActualSize},
    {IDM_VIEW_ZOOM_IN, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_ZOOM_IN, kNo, kTextTipZoomIn},
    {IDM_VIEW_ZOOM_OUT, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_ZOOM_OUT, kNo, kTextTipZoomOut},
    {IDM_VIEW_FULL_SCREEN, full_screen, full_screen_from_list, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SLIDE_SHOW, slide_show, slide_show_selection, kEnabledWithSlideShow, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_LARGE_TOOLBAR_BUTTONS, large_buttons, large_buttons, kEnabledAlways, kSame, kCheckLargeButtons, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_BROWSE_FOLDER, browse_or_back, browse_or_back, kEnabledAlways, kSame, kNoCheck, 0, IMG_VIEWER_BROWSE, IMG_BROWSER_BACK_TO_VIEWER, kTextTipBrowseBack},
    {IDM_VIEW_OPTIONS, options, options, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_REFRESH, reload, refresh_folder, kEnabledWithRefresh, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_ROTATE_CLOCKWISE, transform, rotate_selected, kEnabledWithImageTarget, kSame, kNoCheck, 0, IMG_VIEWER_ROTATE_RIGHT, IMG_BROWSER_ROTATE_RIGHT, kTextTipRotateRight},
    {IDM_IMAGE_ROTATE_COUNTERCLOCKWISE, transform, rotate_selected, kEnabledWithImageTarget, kSame, kNoCheck, 0, IMG_VIEWER_ROTATE_LEFT, IMG_BROWSER_ROTATE_LEFT, kTextTipRotateLeft},
    {IDM_VIEW_THUMBNAILS, kNotHere, view_mode, kEnabledBrowsing, kSame, kRadioBrowseView, 0, kNo, IMG_BROWSER_THUMBNAILS, kTextTipThumbnails},
    {IDM_VIEW_LARGE_ICONS, kNotHere, view_mode, kEnabledBrowsing, kSame, kRadioBrowseView, 1, kNo, IMG_BROWSER_LARGE_ICONS, kTextTipLargeIcons},
    {IDM_VIEW_SMALL_ICONS, kNotHere, view_mode, kEnabledBrowsing, kSame, kRadioBrowseView, 2, kNo, IMG_BROWSER_SMALL_ICONS, kTextTipSmallIcons},
    {IDM_VIEW_LIST, kNotHere, view_mode, kEnabledBrowsing, kSame, kRadioBrowseView, 3, kNo, IMG_BROWSER_LIST, kTextTipList},
    {IDM_VIEW_DETAILS, kNotHere, view_mode, kEnabledBrowsing, kSame, kRadioBrowseView, 4, kNo, IMG_BROWSER_DETAILS, kTextTipDetails},
    {IDM_VIEW_FOLDER_TREE, kNotHere, folder_tree, kEnabledBrowsing, kSame, kCheckFolderTree, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_CUT, kNotHere, cut_files, kEnabledBrowsing, kEnabledWithSelection, kNoCheck, 0, kNo, IMG_BROWSER_CUT, kTextTipCut},
    {IDM_FILE_NEW_FOLDER, kNotHere, new_folder, kEnabledBrowsingNotThumbnails, kSame, kNoCheck, 0, kNo, IMG_BROWSER_NEW_FOLDER, kTextTipNewFolder},
    {IDM_HELP_ABOUT, about, about, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_CENTERED, wallpaper, wallpaper, kEnabledWithImageTarget, kSame, kNoCheck, kWallpaperCentered, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_TILED, wallpaper, wallpaper, kEnabledWithImageTarget, kSame, kNoCheck, kWallpaperTiled, kNo, kNo, kNoTip},
    {IDM_WALLPAPER_STRETCHED, wallpaper, wallpaper, kEnabledWithImageTarget, kSame, kNoCheck, kWallpaperStretched, kNo, kNo, kNoTip},
    {IDM_IMAGE_FLIP_HORIZONTAL, transform, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_FLIP_VERTICAL, transform, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_RESIZE, resize, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_IMAGE_CROP, crop, kNotHere, kEnabledWithImage, kSame, kCheckCropMode, 0, IMG_VIEWER_CROP, kNo, kTextTipCrop},
    {IDM_IMAGE_ADJUST_COLORS, adjust_colors, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, IMG_VIEWER_ADJUST_COLORS, kNo, kTextTipAdjustColors},
    {IDM_IMAGE_GRAYSCALE, transform, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_COPY, copy_picture, copy_files, kEnabledWithAnyTarget, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_EXPORT_FRAMES, export_frames, kNotHere, kEnabledWithSeveralFrames, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_PRINT_THUMBNAILS, print_thumbnails, print_thumbnails, kEnabledWithFiles, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_UNDO, undo, undo_file_operation, kEnabledWithUndo, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_GO_PREVIOUS_PAGE, page, kNotHere, kEnabledWithSeveralFrames, kSame, kNoCheck, 0, IMG_VIEWER_PREVIOUS, kNo, kTextTipPreviousPage},
    {IDM_GO_NEXT_PAGE, page, kNotHere, kEnabledWithSeveralFrames, kSame, kNoCheck, 0, IMG_VIEWER_NEXT, kNo, kTextTipNextPage},
    {IDM_GO_PLAY_PAUSE, play_pause, kNotHere, kEnabledWithSeveralFrames, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_25, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_50, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_75, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_100, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_200, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_400, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ZOOM_CUSTOM_SCALE, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SHRINK_TO_FIT, zoom, kNotHere, kEnabledWithImage, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_BMP, kNotHere, convert_selected, kEnabledWithImageTarget, kSame, kNoCheck, kSaveBmp, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_PNG, kNotHere, convert_selected, kEnabledWithImageTarget, kSame, kNoCheck, kSavePng, kNo, kNo, kNoTip},
    {IDM_CONVERT_TO_JPEG, kNotHere, convert_selected, kEnabledWithImageTarget, kSame, kNoCheck, kSaveJpeg, kNo, kNo, kNoTip},
    {IDM_IMAGE_RESIZE_SELECTED, resize_selected, resize_selected, kEnabledWithImageTarget, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_THUMB_SMALL, thumb_size, thumb_size, kEnabledAlways, kSame, kRadioThumbSize, 0, kNo, kNo, kNoTip},
    {IDM_THUMB_MEDIUM, thumb_size, thumb_size, kEnabledAlways, kSame, kRadioThumbSize, 1, kNo, kNo, kNoTip},
    {IDM_THUMB_LARGE, thumb_size, thumb_size, kEnabledAlways, kSame, kRadioThumbSize, 2, kNo, kNo, kNoTip},
    {IDM_THUMB_EXTRA_LARGE, thumb_size, thumb_size, kEnabledAlways, kSame, kRadioThumbSize, 3, kNo, kNo, kNoTip},
    {IDM_EDIT_SELECT_ALL, kNotHere, select_all, kEnabledBrowsing, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_RENAME, kNotHere, rename, kEnabledBrowsing, kEnabledWithSelection, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_UP_ONE_LEVEL, kNotHere, up_one_level, kEnabledBrowsing, kEnabledWithParent, kNoCheck, 0, kNo, IMG_BROWSER_UP_ONE_LEVEL, kTextTipUpOneLevel},
    {IDM_TOOLBAR_COPY, kNotHere, copy_files, kEnabledBrowsing, kEnabledWithSelection, kNoCheck, 0, kNo, IMG_BROWSER_COPY, kTextTipCopy},
    {IDM_EDIT_PASTE, kNotHere, paste, kEnabledWithPaste, kSame, kNoCheck, 0, kNo, IMG_BROWSER_PASTE, kTextTipPaste},
    {IDM_EDIT_UNDO_FILE_OPERATION, kNotHere, undo_file_operation, kEnabledWithUndo, kSame, kNoCheck, 0, kNo, IMG_BROWSER_UNDO, kTextTipUndo},
    {IDM_FILE_OPEN_SELECTED, kNotHere, open_selected, kEnabledWithSelection, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_COPY_TO_FOLDER, kNotHere, copy_to_folder, kEnabledWithSelection, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_MOVE_TO_FOLDER, kNotHere, move_to_folder, kEnabledWithSelection, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SLIDE_SHOW_RECURSIVE, kNotHere, slide_show_tree, kEnabledBrowsing, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_NAME, arrange, arrange, kEnabledAlways, kSame, kRadioSortKey, 0, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_SIZE, arrange, arrange, kEnabledAlways, kSame, kRadioSortKey, 1, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_TYPE, arrange, arrange, kEnabledAlways, kSame, kRadioSortKey, 2, kNo, kNo, kNoTip},
    {IDM_ARRANGE_BY_DATE_MODIFIED, arrange, arrange, kEnabledAlways, kSame, kRadioSortKey, 3, kNo, kNo, kNoTip},
    {IDM_VIEW_HIDE_NON_IMAGES, kNotHere, hide_non_images, kEnabledBrowsingNotThumbnails, kSame, kCheckHideNonImages, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_SHOW_HIDDEN_FILES, show_hidden, show_hidden, kEnabledAlways, kSame, kCheckShowHidden, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_GENERATE_FILE_LISTING, kNotHere, file_listing, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_FILE_OPEN_WITH, open_with, open_with, kEnabledWithAnyTarget, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_EDIT_WITH, edit_with, edit_with, kEnabledWithAnyTarget, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_HELP_TOPICS, help_topics, help_topics, kEnabledAlways, kSame, kNoCheck, 0, kNo, kNo, kNoTip},
    {IDM_VIEW_ADDRESS_BAR, kNotHere, address_bar, kEnabledAlways, kSame, kCheckAddressBar, 0, kNo, kNo, kNoTip},
};
const int kCommandTableSize = sizeof kCommandTable / sizeof kCommandTable[0];

const CommandRow* FindCommand(int id) {
    for (const CommandRow& row : kCommandTable)
        if (row.id == id) return &row;
    return nullptr;
}

namespace {

CommandHandler handler_now(const CommandRow& row, const WindowFacts& facts) {
    return facts.browse_mode ? row.browser : row.viewer;
}

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
        if (IsCommandChecked(kCommandTable[end], facts)) chosen = kCommandTable[end].id;
        ++end;
    }
    if (chosen >= 0) CheckMenuRadioItem(menu, head.id, kCommandTable[end - 1].id, chosen, MF_BYCOMMAND);
    return end;
}

}  // namespace

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
    // A job owns the folder list: nothing may change it underneath (a
    // command sent from another thread arrives while the job's owner
    // waits). The command runs once the job is done.
    if (list_job_running()) {
        list_job_defer_command(g_frame.window, id);
        return true;
    }
    // A key reaches a command whether its item is gray or not; the handler
    // checks what it needs. One that means nothing in this mode does nothing.
    CommandHandler handler = g_frame.BrowseMode ? row->browser : row->viewer;
    if (handler) handler(id, row->value);
    return true;
}

WindowFacts CurrentWindowFacts() {
    const ViewerState& v = g_viewer;
    const bool browsing = g_frame.BrowseMode;
    WindowFacts f = {};
    f.image_shown = v.shown != nullptr;
    f.file_count = g_file_list.count;
    f.list_has_image = browsing && list_has_image();
    f.frame_count = v.document.count;
    f.browse_mode = browsing;
    f.selected_count = browsing ? browser_selected_count() : 0;
    f.selection_has_image = browsing && browser_selection_has_image();
    f.has_undo = browsing ? browser_has_file_undo() : v.undo_image != nullptr;
    f.has_current_path = v.current_path[0] != 0;
    f.clipboard_has_files = browsing && IsClipboardFormatAvailable(CF_HDROP);
    f.browse_view = g_settings.BrowseView;
    f.sort_key = g_file_list.SortKey;
    f.thumb_size = g_settings.ThumbSize;
    f.folder_tree = g_settings.FolderTree != 0;
    f.addr_bar = g_settings.AddrBar != 0;
    f.show_all_files = g_settings.ShowAllFiles != 0;
    f.show_hidden = g_settings.ShowHidden != 0;
    f.large_buttons = g_settings.LargeButtons != 0;
    f.crop_mode = v.crop_mode;
    f.has_parent_folder = browsing && browser_has_parent_folder();
    return f;
}

bool IsCommandEnabled(int id, const WindowFacts& facts) {
    const CommandRow* row = FindCommand(id);
    return row && handler_now(*row, facts) && IsEnabled(row->enabled, facts);
}

bool IsCommandEnabledInPanes(int id, const WindowFacts& facts) {
    const CommandRow* row = FindCommand(id);
    return IsCommandEnabled(id, facts) && IsEnabled(row->in_panes, facts);
}

bool IsCommandChecked(const CommandRow& row, const WindowFacts& facts) {
    return IsChecked(row.check, row.value, facts);
}

void UpdateMenuState() {
    HMENU menu = g_frame.window ? GetMenu(g_frame.window) : nullptr;
    if (!menu) return;  // none attached, as in full screen
    WindowFacts facts = CurrentWindowFacts();
    for (const CommandRow& row : kCommandTable) {
        EnableMenuItem(menu, row.id, MF_BYCOMMAND | (IsCommandEnabled(row.id, facts) ? MF_ENABLED : MF_GRAYED));
        if (row.check != kCheckNone && !IsRadioRule(row.check))
            CheckMenuItem(menu, row.id, MF_BYCOMMAND | (IsCommandChecked(row, facts) ? MF_CHECKED : MF_UNCHECKED));
    }
    for (int i = 0; i < kCommandTableSize;)
        i = IsRadioRule(kCommandTable[i].check) ? mark_radio_group(menu, i, facts) : i + 1;
    DrawMenuBar(g_frame.window);
}

void RefreshCommandStates() {
    UpdateMenuState();
    UpdateToolbarButtons();
    UpdatePageBox();
    update_browser_toolbar();
}
