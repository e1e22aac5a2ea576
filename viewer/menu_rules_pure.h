// Which menu items are enabled and checked, as a pure function of a few facts
// about the window, so the rules are data and testable without a menu.
#pragma once

struct MenuFacts {
    bool image_shown;
    int file_count;           // entries of the folder's file list
    bool list_has_image;      // the file list holds at least one image file
    int frame_count;
    bool browse_mode;
    int selected_count;       // selected browser list items
    bool selection_has_image; // at least one selected item is an image file
    bool has_undo;
    bool has_current_path;
    bool clipboard_has_files; // CF_HDROP on the clipboard
    int browse_view;          // 0 thumbnails .. 4 details
    int sort_key;             // 0 name .. 3 date
    int thumb_size;           // thumbnail edge in pixels
    bool folder_tree, addr_bar, show_all_files, show_hidden, large_buttons;
};

struct MenuItemRule {
    int id;
    bool enabled;
};

struct MenuCheck {
    int id;
    bool checked;
};

struct MenuRadio {
    int first, last, chosen;
};

const int kMaxMenuRules = 96;

struct MenuState {
    MenuItemRule items[kMaxMenuRules];
    int item_count;
    MenuCheck checks[8];
    int check_count;
    MenuRadio radios[3];
    int radio_count;
};

void ComputeMenuState(const MenuFacts& facts, MenuState* out);
// The enabled state one id gets, or -1 when no rule names it.
int MenuItemEnabledState(const MenuState& state, int id);
