#include "shell/settings_pure.h"

#include <string.h>

namespace {

const int32_t kThumbSizes[] = {64, 96, 128, 192};

#define FLAG(name, def) {#name, offsetof(Settings, name), def, kRuleFlag, 0, 0, nullptr, 0, false}
#define PLAIN(name) {#name, offsetof(Settings, name), 0, kRuleNone, 0, 0, nullptr, 0, true}

}  // namespace

// Load and save walk this table in its order.
const SettingDef kSettingDefs[kSettingCount] = {
    {"DefaultFit", offsetof(Settings, DefaultFit), 2, kRuleRange, 0, 2, nullptr, 0, false},
    FLAG(LargeButtons, 0),
    // Below one second is taken as a damaged value, not as "as fast as possible".
    {"SlideMs", offsetof(Settings, SlideMs), 4000, kRuleFloor, 1000, 600000, nullptr, 0, false},
    FLAG(FsToolbar, 0),
    FLAG(SlideLoop, 0),
    FLAG(SlideRandom, 0),
    {"ThumbSize", offsetof(Settings, ThumbSize), 96, kRuleChoice, 0, 0, kThumbSizes, 4, false},
    FLAG(ConfirmDel, 1),
    FLAG(RememberPos, 0),
    {"JpegQ", offsetof(Settings, JpegQ), 90, kRuleRange, 1, 100, nullptr, 0, false},
    PLAIN(WinX),
    PLAIN(WinY),
    PLAIN(WinW),
    PLAIN(WinH),
    FLAG(ShowToolbar, 1),
    FLAG(ShowStatus, 1),
    FLAG(AlwaysTop, 0),
    FLAG(HideCursorFS, 0),
    FLAG(ExitAfterDel, 0),
    FLAG(SlideReverse, 0),
    FLAG(SlideAuto, 1),
    FLAG(StartLast, 0),
    FLAG(ShowAllFiles, 0),
    FLAG(ShowHidden, 0),
    FLAG(NoGifAnim, 0),
    {"BrowseView", offsetof(Settings, BrowseView), 0, kRuleRange, 0, 4, nullptr, 0, false},
    FLAG(FolderTree, 0),
    FLAG(AddrBar, 0),
    FLAG(ColorProfiles, 1),
};

#undef FLAG
#undef PLAIN

static_assert(sizeof(Settings) == kSettingCount * sizeof(int32_t), "one table row per field");

int32_t* setting_field(Settings* settings, const SettingDef& def) {
    return (int32_t*)((char*)settings + def.offset);
}

int32_t setting_value(const Settings& settings, const SettingDef& def) {
    return *(const int32_t*)((const char*)&settings + def.offset);
}

int32_t apply_setting_rule(const SettingDef& def, int32_t stored) {
    switch (def.rule) {
    case kRuleNone: return stored;
    case kRuleFlag: return stored != 0 ? 1 : 0;
    case kRuleRange: return stored >= def.low && stored <= def.high ? stored : def.default_value;
    case kRuleFloor:
        if (stored < def.low) return def.default_value;
        return stored > def.high ? def.high : stored;
    case kRuleChoice:
        for (int i = 0; i < def.choice_count; ++i)
            if (def.choices[i] == stored) return stored;
        return def.default_value;
    }
    return def.default_value;
}

const SettingDef* find_setting(const char* name) {
    for (const SettingDef& def : kSettingDefs)
        if (strcmp(def.name, name) == 0) return &def;
    return nullptr;
}

void settings_set_defaults(Settings* settings) {
    for (const SettingDef& def : kSettingDefs) *setting_field(settings, def) = def.default_value;
}

void settings_apply_rules(Settings* settings) {
    for (const SettingDef& def : kSettingDefs) {
        int32_t* field = setting_field(settings, def);
        *field = apply_setting_rule(def, *field);
    }
}

bool startup_window_rect(const Settings& settings, StartupRect* rect) {
    if (settings.RememberPos && settings.WinW > 200 && settings.WinH > 150) {
        *rect = {false, settings.WinX, settings.WinY, settings.WinW, settings.WinH};
        return true;
    }
    *rect = {true, 0, 0, kDefaultWindowW, kDefaultWindowH};
    return false;
}
