// The preferences record and its rules, without any Windows header: the one
// table of value names, defaults and range rules that loading and saving walk,
// and the start-up window rectangle rule. Native tests reach all of it; the
// registry side lives in shell/settings.cpp.
#pragma once
#include <stddef.h>
#include <stdint.h>

// One field per registry value, named after it, in load order. Flags hold 0 or 1.
struct Settings {
    int32_t DefaultFit;    // zoom mode of a newly opened image: 0 actual, 1 best fit, 2 shrink
    int32_t LargeButtons;  // flag
    int32_t SlideMs;       // slide show delay
    int32_t FsToolbar;     // flag
    int32_t SlideLoop;     // flag
    int32_t SlideRandom;   // flag
    int32_t ThumbSize;     // 64, 96, 128 or 192
    int32_t ConfirmDel;    // flag
    int32_t RememberPos;   // flag
    int32_t JpegQ;         // 1..100
    int32_t WinX;          // main window's restored rectangle, written at destruction only
    int32_t WinY;
    int32_t WinW;
    int32_t WinH;
    int32_t ShowToolbar;   // flag
    int32_t ShowStatus;    // flag
    int32_t AlwaysTop;     // flag
    int32_t HideCursorFS;  // flag
    int32_t ExitAfterDel;  // flag
    int32_t SlideReverse;  // flag
    int32_t SlideAuto;     // flag
    int32_t StartLast;     // flag
    int32_t ShowAllFiles;  // flag
    int32_t ShowHidden;    // flag
    int32_t NoGifAnim;     // flag
    int32_t BrowseView;    // 0 thumbnails .. 4 details
    int32_t FolderTree;    // flag
    int32_t AddrBar;       // flag
    int32_t ColorProfiles; // flag: pictures converted from their embedded colour profiles to sRGB
};

// How a value read from the registry is brought into range.
enum SettingRuleKind {
    kRuleNone,     // taken as stored
    kRuleFlag,     // any non-zero value becomes 1
    kRuleRange,    // low..high, anything else becomes the default
    kRuleFloor,    // below low becomes the default, above high becomes high
    kRuleChoice,   // one of the listed values, anything else becomes the default
};

struct SettingDef {
    const char* name;      // registry value name, also the field's name
    size_t offset;         // of the field in Settings
    int32_t default_value;
    SettingRuleKind rule;
    int32_t low, high;     // kRuleRange, kRuleFloor
    const int32_t* choices;  // kRuleChoice
    int choice_count;
    bool window_rect;      // written by SaveWindowPlacement only, never by SaveSettings
};

const int kSettingCount = 29;
extern const SettingDef kSettingDefs[kSettingCount];

// The field a definition names.
int32_t* setting_field(Settings* settings, const SettingDef& def);
int32_t setting_value(const Settings& settings, const SettingDef& def);
// The value a definition keeps after its range rule has looked at a stored one.
int32_t apply_setting_rule(const SettingDef& def, int32_t stored);
// The definition of a value name (case as stored), or none.
const SettingDef* find_setting(const char* name);

// Every field at its default.
void settings_set_defaults(Settings* settings);
// Every field through its range rule, as loading does.
void settings_apply_rules(Settings* settings);

const int kDefaultWindowW = 720;
const int kDefaultWindowH = 540;

// The main window's first rectangle: the remembered one when RememberPos is set
// and the stored size is above 200 by 150, whether on screen or not; else the
// default size at the system's default place (use_default_position set, x and
// y unused). Returns whether the remembered rectangle is used.
struct StartupRect {
    bool use_default_position;
    int32_t x, y, width, height;
};
bool startup_window_rect(const Settings& settings, StartupRect* rect);
