// The settings table and its rules, without the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "shell/settings_pure.h"

// Loading and saving reach a field through its row's offset only, so a row
// pointing at the wrong field loads one value into another. The rows are in
// field order with one int32_t each: row i must sit at field i.
TEST(SettingsTable, EachRowReachesItsOwnField) {
    ASSERT_EQ(sizeof(Settings), kSettingCount * sizeof(int32_t)) << "a field without a row, or a row without a field";
    for (int i = 0; i < kSettingCount; ++i) {
        const SettingDef& def = kSettingDefs[i];
        EXPECT_EQ(def.offset, i * sizeof(int32_t)) << def.name << " at row " << i;
        EXPECT_EQ(find_setting(def.name), &def) << def.name << " is found at another row";
        Settings s = {};
        *setting_field(&s, def) = 1234;
        EXPECT_EQ(setting_value(s, def), 1234) << def.name;
        EXPECT_EQ(((const int32_t*)&s)[i], 1234) << def.name << " writes another field";
    }
    EXPECT_EQ(find_setting("jpegq"), nullptr) << "names are matched as stored";
    EXPECT_EQ(find_setting("Nope"), nullptr);
}

// Out-of-range values fall back to the default, so the default is judged by
// a copy of its row with another fallback: the rule itself must keep it.
TEST(SettingsTable, EveryDefaultPassesItsOwnRule) {
    for (const SettingDef& def : kSettingDefs) {
        SettingDef other = def;
        other.default_value = def.default_value + 1;
        EXPECT_EQ(apply_setting_rule(other, def.default_value), def.default_value) << def.name;
    }
}

// Each rule kind at its edges, for every row of that kind: the bounds come
// from the row, what happens at them from the kind.
TEST(SettingsRules, EveryRowAtTheEdgesOfItsKind) {
    struct Case { int32_t stored, want; };
    for (const SettingDef& d : kSettingDefs) {
        std::vector<Case> cases;
        switch (d.rule) {
        case kRuleNone: cases = {{INT32_MIN, INT32_MIN}, {-32000, -32000}, {0, 0}, {123456, 123456}}; break;
        case kRuleFlag: cases = {{0, 0}, {1, 1}, {2, 1}, {-1, 1}, {INT32_MIN, 1}, {INT32_MAX, 1}}; break;
        case kRuleRange:
        case kRuleFloor: {
            // Below low is a damaged value (not "as fast as possible"): the default. Above high
            // the floor rule cuts, the range rule takes the default.
            int32_t above = d.rule == kRuleFloor ? d.high : d.default_value;
            cases = {{d.low - 1, d.default_value}, {d.low, d.low}, {d.high, d.high}, {d.high + 1, above},
                     {INT32_MIN, d.default_value},  {INT32_MAX, above}};
            break;
        }
        case kRuleChoice:  // each listed value and its neighbours
            for (const int32_t* c = d.choices; c < d.choices + d.choice_count; ++c)
                for (int32_t v : {*c, *c - 1, *c + 1, -*c})
                    cases.push_back({v, std::count(d.choices, d.choices + d.choice_count, v) ? v : d.default_value});
            break;
        }
        ASSERT_FALSE(cases.empty()) << d.name << ": unknown rule kind " << d.rule;
        for (const Case& c : cases)
            EXPECT_EQ(apply_setting_rule(d, c.stored), c.want) << d.name << " stored as " << c.stored;
    }
}

TEST(StartupWindowRect, RememberedOnlyWhenOnAndAbove200By150) {
    const struct { int32_t remember, x, y, w, h; bool used; } cases[] = {
        {1, 10, 20, 201, 151, true}, {1, 10, 20, 200, 400, false}, {1, 10, 20, 400, 150, false},
        {0, 10, 20, 800, 600, false}, {1, -5000, 9000, 640, 480, true},  // off every screen: the screens may have changed
    };
    for (const auto& c : cases) {
        Settings s = {};
        s.RememberPos = c.remember, s.WinX = c.x, s.WinY = c.y, s.WinW = c.w, s.WinH = c.h;
        StartupRect r = {};
        SCOPED_TRACE(testing::Message() << "RememberPos " << c.remember << ", " << c.w << " x " << c.h << " at "
                                        << c.x << "," << c.y);
        EXPECT_EQ(startup_window_rect(s, &r), c.used);
        EXPECT_EQ(r.use_default_position, !c.used);
        EXPECT_EQ(r.width, c.used ? c.w : kDefaultWindowW);
        EXPECT_EQ(r.height, c.used ? c.h : kDefaultWindowH);
        if (c.used) EXPECT_TRUE(r.x == c.x && r.y == c.y) << "placed at " << r.x << "," << r.y;
    }
}
