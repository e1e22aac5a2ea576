#include "app/command_rules_pure.h"

bool IsEnabled(EnableRule rule, const WindowFacts& f) {
    switch (rule) {
    case kEnabledAlways: return true;
    case kEnabledWithImage: return f.image_shown;
    case kEnabledWithSeveralFiles: return f.file_count > 1;
    case kEnabledWithSeveralFrames: return f.frame_count > 1;
    case kEnabledWithFiles: return f.file_count > 0;
    case kEnabledBrowsing: return f.browse_mode;
    case kEnabledWithSelection: return f.selected_count > 0;
    case kEnabledWithUndo: return f.has_undo;
    case kEnabledWithImageTarget: return f.browse_mode ? f.selection_has_image : f.image_shown;
    case kEnabledWithAnyTarget: return f.browse_mode ? f.selected_count > 0 : f.image_shown;
    case kEnabledBrowsingNotThumbnails: return f.browse_mode && f.browse_view != 0;
    case kEnabledWithPaste: return f.browse_mode && f.clipboard_has_files;
    case kEnabledWithSlideShow: return f.browse_mode ? f.list_has_image : f.image_shown;
    case kEnabledWithRefresh: return f.has_current_path || f.file_count > 0;
    case kEnabledWithParent: return f.browse_mode && f.has_parent_folder;
    case kSameAsMenu: return true;
    }
    return false;
}

int ThumbSizeItem(int size) { return size <= 64 ? 0 : size <= 96 ? 1 : size <= 128 ? 2 : 3; }

bool IsChecked(CheckRule rule, int value, const WindowFacts& f) {
    switch (rule) {
    case kCheckNone: return false;
    case kCheckFolderTree: return f.folder_tree;
    case kCheckAddressBar: return f.addr_bar;
    case kCheckHideNonImages: return !f.show_all_files;
    case kCheckShowHidden: return f.show_hidden;
    case kCheckLargeButtons: return f.large_buttons;
    case kCheckCropMode: return f.crop_mode;
    case kRadioBrowseView: return value == ((f.browse_view >= 0 && f.browse_view <= 4) ? f.browse_view : 0);
    case kRadioSortKey: return value == (f.sort_key & 3);
    case kRadioThumbSize: return value == ThumbSizeItem(f.thumb_size);
    }
    return false;
}

bool IsRadioRule(CheckRule rule) { return rule >= kRadioBrowseView; }
