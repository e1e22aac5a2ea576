// The browser: the folder list's files and subfolders in a list view, with
// its panes, status texts and title. The main window (app/) switches it on
// and off and routes its commands and notifications here.
#pragma once
#include <windows.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "core/batch_work.h"

// Posted to the main window by the list (double click, Enter): open the
// selected entry.
const UINT WM_OPEN_SELECTED = WM_APP + 1;
// Posted by the list's selection notices, once per burst: the status bar and
// toolbar are brought up to date when it arrives.
const UINT WM_BROWSER_SELECTION = WM_APP + 2;

// browser.cpp
// The browser side of entering browse mode: a collected list read again as
// its folder, Thumbnails, the fill. The frame is already in browse mode.
void browser_show();
// Keyboard focus to the list (once it is placed and shown).
void browser_focus_list();
// Subfolders, the fill of the current view.
void refresh_browser();
void navigate_to_folder(const char* folder);
// Navigates into subfolder i; false when there is none.
bool browser_open_subfolder(int i);
// After a fill has inserted its items: command states, title, status bar.
void finish_fill();
void set_browser_title();
void update_browser_status();
// WM_BROWSER_SELECTION: the status bar and the command states.
void browser_selection_changed();
// WM_NOTIFY from the browser's list view; false when not its own.
bool browser_notify(NMHDR* header, LRESULT* result);
// The caption row over the list, painted by the main window in browse mode.
void browser_paint(HDC dc);
// Where the list sits, in the main window's client coordinates.
RECT browser_list_rect();
// Places the browser toolbar and the list in browse mode, hides them otherwise.
void browser_layout();
void browser_shutdown();
// Forwards WM_SYSCOLORCHANGE to the list.
void browser_sys_color_change(WPARAM wparam, LPARAM lparam);

// Facts for the command rules.
int browser_selected_count();
bool browser_selection_has_image();
bool browser_has_parent_folder();
// The parameter of the first selected item (a file index, or a folder's
// -(i + 2)); -1 when nothing is selected.
LPARAM browser_first_selected();

// The viewer's picture of a file when it is exactly what the file holds
// (a thumbnail is then made from it instead of a decode); the main window
// sets where it comes from.
typedef const struct Image* (*PictureSource)(const char* path, uint32_t size, uint64_t modified);
void browser_set_picture_source(PictureSource source);
// Told when the browser renames a file (or undoes a rename), so that the
// viewer follows its picture to the new name.
typedef void (*FileRenamed)(const char* old_path, const char* new_path);
void browser_set_rename_notice(FileRenamed notice);

// folder_tree.cpp: the tree pane (control 4), made once and kept.
void create_folder_tree();
void destroy_folder_tree();
HWND folder_tree_window();
// Selects the folder's item (expanding down to it) without navigating.
void select_folder_in_tree(const char* folder);
// The roots made again (Show Hidden Files changed) and the folder selected.
void refresh_folder_tree();
// WM_NOTIFY from the tree; false when not its own.
bool folder_tree_notify(NMHDR* header, LRESULT* result);

// address_bar.cpp: the edit under the browser toolbar (control 61).
void create_address_bar();
void destroy_address_bar();
HWND address_bar_window();
// The browser's folder into the bar.
void set_address_text();

// browser_commands.cpp: the browser's commands.
void browser_set_view_mode(int mode);
void browser_up_one_level();
void browser_select_all();
void browser_rename();
// Folder Tree (40037) and Address Bar (40144): shown or hidden, saved at once.
void browser_toggle_folder_tree();
void browser_toggle_address_bar();
// Hide Non-Images (false) or Show Hidden Files (true).
void browser_toggle_listing(bool hidden_files);
void browser_arrange(int key);
// size_item: 0 small (64 pixels) .. 3 extra large (192 pixels).
void browser_set_thumb_size(int size_item);
void browser_refresh();
void browser_edit_in_paint();

// file_operations.cpp: the shell's operations on the selected files.
// Copy (false) or Cut (true) to the clipboard as a file list.
void browser_copy_to_clipboard(bool cut);
void browser_paste();
void browser_delete_selection();
void browser_new_folder();
// Undoes the last rename or new folder, or says there is nothing to undo.
void browser_undo_file_operation();
bool browser_has_file_undo();
void browser_copy_or_move_to_folder(bool move);
void browser_show_properties();
// The end of the label edit of item: renames its file on disk; false when
// the label is to spring back.
bool browser_finish_rename(int item, const char* text);

// batch.cpp: work on the selected files. format: kSavePng, kSaveJpeg or kSaveBmp.
// The work on each path, on `workers` threads (0: one per processor), with
// the progress bar stepped per file; the outcome of each, in order.
std::vector<BatchOutcome> browser_run_batch(const std::vector<std::string>& paths, const BatchRequest& request,
                                            int workers);
void browser_convert_selected(int format);
// The Resize dialog, then "_resized" copies; in the viewer only its message.
void browser_resize_selected();
void browser_rotate_selected(bool clockwise);

// slide_collection.cpp: the folder list replaced by what a slide show is to
// show (FileList.collected set); false, after its message, when nothing is found.
bool browser_collect_selection();
bool browser_collect_tree();

// file_listing.cpp: "Folder Contents.txt" or another file the user names.
void browser_write_listing();
