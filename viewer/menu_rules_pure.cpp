#include "viewer/menu_rules_pure.h"

namespace {

enum Condition {
    kImageShown,
    kSeveralFiles,
    kSeveralFrames,
    kFilesListed,
    kBrowsing,
    kSelection,
    kUndo,
    kImageTarget,     // browser: a selected image file; viewer: an image shown
    kAnyTarget,       // browser: any selection; viewer: an image shown
    kNewFolder,       // browser, not thumbnails view
    kPaste,           // browser with file names on the clipboard
    kSlideShow,       // browser: the list holds an image; viewer: an image shown
    kRefresh,
    kHideNonImages,   // browser, not thumbnails view
};

struct EnableRule {
    int first, last;  // a range of command ids
    Condition when;
};

const EnableRule kEnableRules[] = {
    {40007, 40007, kImageShown}, {40002, 40002, kImageShown}, {40020, 40020, kImageShown},
    {40087, 40087, kImageShown}, {40021, 40021, kImageShown}, {40022, 40023, kImageShown},
    {40080, 40085, kImageShown}, {40086, 40086, kImageShown}, {40060, 40061, kImageShown},
    {40062, 40062, kImageShown}, {40063, 40063, kImageShown}, {40064, 40064, kImageShown},
    {40065, 40065, kImageShown}, {40024, 40024, kImageShown},
    {40010, 40013, kSeveralFiles},
    {40070, 40072, kSeveralFrames}, {40067, 40067, kSeveralFrames},
    {40068, 40068, kFilesListed},
    {40104, 40104, kBrowsing}, {40106, 40106, kBrowsing}, {40032, 40036, kBrowsing}, {40037, 40037, kBrowsing},
    {40108, 40108, kBrowsing}, {40038, 40038, kBrowsing}, {40109, 40109, kBrowsing},
    {40130, 40132, kSelection},
    {40069, 40069, kUndo},
    {40003, 40003, kImageTarget}, {40050, 40052, kImageTarget}, {40030, 40031, kImageTarget},
    {40009, 40009, kImageTarget}, {40093, 40093, kImageTarget}, {40090, 40092, kImageTarget},
    {40004, 40005, kAnyTarget}, {40141, 40142, kAnyTarget}, {40066, 40066, kAnyTarget},
    {40039, 40039, kNewFolder},
    {40118, 40118, kPaste},
    {40025, 40025, kSlideShow},
    {40133, 40133, kBrowsing},
    {40029, 40029, kRefresh},
    {40138, 40138, kHideNonImages},
};

bool holds(Condition c, const MenuFacts& f) {
    switch (c) {
    case kImageShown: return f.image_shown;
    case kSeveralFiles: return f.file_count > 1;
    case kSeveralFrames: return f.frame_count > 1;
    case kFilesListed: return f.file_count > 0;
    case kBrowsing: return f.browse_mode;
    case kSelection: return f.selected_count > 0;
    case kUndo: return f.has_undo;
    case kImageTarget: return f.browse_mode ? f.selection_has_image : f.image_shown;
    case kAnyTarget: return f.browse_mode ? f.selected_count > 0 : f.image_shown;
    case kNewFolder: return f.browse_mode && f.browse_view != 0;
    case kPaste: return f.browse_mode && f.clipboard_has_files;
    case kSlideShow: return f.browse_mode ? f.list_has_image : f.image_shown;
    case kRefresh: return f.has_current_path || f.file_count > 0;
    case kHideNonImages: return f.browse_mode && f.browse_view != 0;
    }
    return false;
}

}  // namespace

void ComputeMenuState(const MenuFacts& f, MenuState* out) {
    out->item_count = 0;
    for (const EnableRule& rule : kEnableRules) {
        bool on = holds(rule.when, f);
        for (int id = rule.first; id <= rule.last && out->item_count < kMaxMenuRules; ++id)
            out->items[out->item_count++] = MenuItemRule{id, on};
    }
    const MenuCheck checks[] = {
        {40037, f.folder_tree}, {40144, f.addr_bar},   {40138, !f.show_all_files},
        {40139, f.show_hidden}, {40026, f.large_buttons},
    };
    out->check_count = 0;
    for (const MenuCheck& c : checks) out->checks[out->check_count++] = c;
    int view = (f.browse_view >= 0 && f.browse_view <= 4) ? f.browse_view : 0;
    out->radios[0] = MenuRadio{40032, 40036, 40032 + view};
    out->radios[1] = MenuRadio{40134, 40137, 40134 + (f.sort_key & 3)};
    // The same size-to-item mapping marks the menu when the window is made.
    int size = f.thumb_size;
    int thumb = size <= 64 ? 40100 : size <= 96 ? 40101 : size <= 128 ? 40102 : 40103;
    out->radios[2] = MenuRadio{40100, 40103, thumb};
    out->radio_count = 3;
}

int MenuItemEnabledState(const MenuState& state, int id) {
    for (int i = 0; i < state.item_count; ++i)
        if (state.items[i].id == id) return state.items[i].enabled ? 1 : 0;
    return -1;
}
