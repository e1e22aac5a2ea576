// The main window between its two modes: entering and leaving the browser,
// and opening what the browser's list offers.
#pragma once

// Shows the folder of the file list in the browser (nothing without a folder).
void enter_browser();
// Back to the viewer and its picture, with the folder of that picture to
// step through (a folder browsed since is not it).
void leave_browser();
// Browse Folder / Back to Viewer (40027): leaves the browser, enters it on
// the listed folder, or asks for a folder when the list is empty.
void toggle_browse_mode();
// WM_OPEN_SELECTED and Open (40130): a folder is entered, a picture shown in
// the viewer, any other file handed to the shell.
void open_selected_item();
// Full Screen from the browser: the list has none; the picture behind it
// is shown full screen instead.
void full_screen_from_browser();
// Large Toolbar Buttons: the browser toolbar made again when it exists.
void browser_recreate_toolbar();
// A slide show of the selected pictures (or all of the folder's), or of
// every picture in the folder's tree.
void slide_show_from_browser(bool tree);
