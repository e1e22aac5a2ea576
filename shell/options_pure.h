// The Options sheet's rules without Windows: which box edits which setting,
// the context-help topics of each control, and how the lists and number
// fields map to settings when OK is pressed.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "shell/settings_pure.h"

// A check box and the flag it edits.
struct OptionBox {
    int control_id;
    size_t offset;  // of the flag in Settings
};

extern const OptionBox kBrowserPageBoxes[];
extern const int kBrowserPageBoxCount;
extern const OptionBox kViewerPageBoxes[];
extern const int kViewerPageBoxCount;

// Control id, help topic id pairs, each table ending in a pair of zeros (the
// form the help engine takes).
extern const uint32_t kBrowserPageHelp[];
extern const uint32_t kViewerPageHelp[];

// "Open documents at:" lists Best Fit, Shrink to Fit, Actual Size.
int options_fit_item(int32_t default_fit);
int32_t options_fit_from_item(int item);  // any other item (or none) is actual size

// The JPEG quality field on OK: a number cut to 1..100; text that is not a
// number keeps `previous` (a typo must not ruin every later save).
int32_t options_jpeg_quality(const char* text, int32_t previous);
// The delay field, whole seconds, on OK: cut to 1..600 and in milliseconds;
// text that is not a number counts as 0.
int32_t options_slide_ms(const char* text);
