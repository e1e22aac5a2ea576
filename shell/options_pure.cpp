#include "shell/options_pure.h"

#include "res/resource.h"

#define BOX(id, field) {id, offsetof(Settings, field)}

const OptionBox kBrowserPageBoxes[] = {
    BOX(IDC_OPT_SHOW_TOOLBAR, ShowToolbar),     BOX(IDC_OPT_SHOW_STATUS, ShowStatus),
    BOX(IDC_OPT_FOLDER_TREE, FolderTree),       BOX(IDC_OPT_LARGE_BUTTONS, LargeButtons),
    BOX(IDC_OPT_CONFIRM_DELETE, ConfirmDel),    BOX(IDC_OPT_SHOW_ALL_FILES, ShowAllFiles),
    BOX(IDC_OPT_SHOW_HIDDEN, ShowHidden),       BOX(IDC_OPT_REMEMBER_POSITION, RememberPos),
    BOX(IDC_OPT_START_LAST, StartLast),
};
const int kBrowserPageBoxCount = sizeof kBrowserPageBoxes / sizeof kBrowserPageBoxes[0];

const OptionBox kViewerPageBoxes[] = {
    BOX(IDC_OPT_FS_TOOLBAR, FsToolbar),         BOX(IDC_OPT_ALWAYS_TOP, AlwaysTop),
    BOX(IDC_OPT_HIDE_CURSOR, HideCursorFS),     BOX(IDC_OPT_EXIT_AFTER_DELETE, ExitAfterDel),
    BOX(IDC_OPT_NO_GIF_ANIMATION, NoGifAnim),   BOX(IDC_OPT_SLIDE_AUTO, SlideAuto),
    BOX(IDC_OPT_SLIDE_LOOP, SlideLoop),         BOX(IDC_OPT_SLIDE_RANDOM, SlideRandom),
    BOX(IDC_OPT_SLIDE_REVERSE, SlideReverse),   BOX(IDC_OPT_COLOR_PROFILES, ColorProfiles),
};
const int kViewerPageBoxCount = sizeof kViewerPageBoxes / sizeof kViewerPageBoxes[0];

#undef BOX

const uint32_t kBrowserPageHelp[] = {
    IDC_OPT_SHOW_TOOLBAR, 2001, IDC_OPT_SHOW_STATUS, 2002, IDC_OPT_FOLDER_TREE, 2003,
    IDC_OPT_LARGE_BUTTONS, 2004, IDC_OPT_CONFIRM_DELETE, 2005, IDC_OPT_SHOW_ALL_FILES, 2006,
    IDC_OPT_SHOW_HIDDEN, 2007, IDC_OPT_REMEMBER_POSITION, 2008, IDC_OPT_START_LAST, 2009,
    IDC_OPT_CLEAR_CACHE, 2010, 0, 0,
};

const uint32_t kViewerPageHelp[] = {
    IDC_OPT_DEFAULT_FIT, 2011, IDC_OPT_FS_TOOLBAR, 2012, IDC_OPT_ALWAYS_TOP, 2013,
    IDC_OPT_HIDE_CURSOR, 2014, IDC_OPT_EXIT_AFTER_DELETE, 2015, IDC_OPT_NO_GIF_ANIMATION, 2016,
    IDC_OPT_JPEG_QUALITY, 2017, IDC_OPT_SLIDE_DELAY, 2018, IDC_OPT_SLIDE_AUTO, 2019,
    IDC_OPT_SLIDE_LOOP, 2020, IDC_OPT_SLIDE_RANDOM, 2021, IDC_OPT_SLIDE_REVERSE, 2022,
    IDC_OPT_ASSOCIATIONS, 2023, IDC_OPT_COLOR_PROFILES, 2024, 0, 0,
};

int options_fit_item(int32_t default_fit) { return default_fit == 1 ? 0 : default_fit == 2 ? 1 : 2; }

int32_t options_fit_from_item(int item) { return item == 0 ? 1 : item == 1 ? 2 : 0; }

namespace {

// An unsigned decimal number with blanks around it; values past the largest
// 32-bit one stay at that. False for anything else, the empty text included.
bool read_number(const char* text, uint32_t* value) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p < '0' || *p > '9') return false;
    uint64_t n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (uint64_t)(*p - '0');
        if (n > 0xFFFFFFFFu) n = 0xFFFFFFFFu;
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p) return false;
    *value = (uint32_t)n;
    return true;
}

int32_t cut(uint32_t value, int32_t low, int32_t high) {
    return value < (uint32_t)low ? low : value > (uint32_t)high ? high : (int32_t)value;
}

}  // namespace

int32_t options_jpeg_quality(const char* text, int32_t previous) {
    uint32_t value = 0;
    if (!read_number(text, &value)) return previous;
    return cut(value, 1, 100);
}

int32_t options_slide_ms(const char* text) {
    uint32_t value = 0;
    read_number(text, &value);
    return cut(value, 1, 600) * 1000;
}
