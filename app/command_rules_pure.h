// When a command is enabled and when it carries a check or radio mark, as
// pure functions of a few facts about the window. The command table names
// one rule of each kind per command; the menu, both toolbars and the context
// menus all take their state from here.
#pragma once

struct WindowFacts {
    bool image_shown;
    int file_count;           // entries of the folder's file list
    bool list_has_image;      // the file list holds at least one image file
    int frame_count;
    bool browse_mode;
    int selected_count;       // selected browser list items
    bool selection_has_image; // at least one selected item is an image file
    bool has_undo;            // the viewer's picture, or the browser's file operation
    bool has_current_path;
    bool clipboard_has_files; // CF_HDROP on the clipboard
    int browse_view;          // 0 thumbnails .. 4 details
    int sort_key;             // 0 name .. 3 date
    int thumb_size;           // thumbnail edge in pixels
    bool folder_tree, addr_bar, show_all_files, show_hidden, large_buttons;
    bool crop_mode;
    bool has_parent_folder;   // the browsed folder is not a drive root
};

enum EnableRule {
    kEnabledAlways,
    kEnabledWithImage,          // a picture is shown
    kEnabledWithSeveralFiles,   // the file list has more than one entry
    kEnabledWithSeveralFrames,
    kEnabledWithFiles,          // the file list is not empty
    kEnabledBrowsing,
    kEnabledWithSelection,      // at least one browser item is selected
    kEnabledWithUndo,
    kEnabledWithImageTarget,    // browser: a selected image file; viewer: a picture shown
    kEnabledWithAnyTarget,      // browser: any selection; viewer: a picture shown
    kEnabledBrowsingNotThumbnails,
    kEnabledWithPaste,          // browser with file names on the clipboard
    kEnabledWithSlideShow,      // browser: an image in the list; viewer: a picture shown
    kEnabledWithRefresh,        // a current file or a listed folder
    kEnabledWithParent,         // browsing a folder that has a parent
    kSameAsMenu,                // (the panes' column) the menu's rule holds there too
};

enum CheckRule {
    kCheckNone,
    kCheckFolderTree,
    kCheckAddressBar,
    kCheckHideNonImages,  // checked while ShowAllFiles is off
    kCheckShowHidden,
    kCheckLargeButtons,
    kCheckCropMode,
    // Radio groups: the item whose value matches is marked, its neighbours
    // of the same rule not.
    kRadioBrowseView,
    kRadioSortKey,
    kRadioThumbSize,
};

bool IsEnabled(EnableRule rule, const WindowFacts& facts);
// value: the row's own value for a radio rule (view mode, sort key, size).
bool IsChecked(CheckRule rule, int value, const WindowFacts& facts);
bool IsRadioRule(CheckRule rule);
// The Thumbnail Size item (0 small .. 3 extra large) that a size marks.
int ThumbSizeItem(int thumb_size);
