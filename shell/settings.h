// The user's preferences, kept as REG_DWORD values under
// HKEY_CURRENT_USER\Software\Harnwick\Lumora. Loaded once at start-up; saved
// whole when a command or dialog changes them; the window rectangle only when
// the main window goes. Failures are silent: reads fall back to defaults,
// writes that fail are dropped.
#pragma once
#include "shell/settings_pure.h"

extern const char kSettingsKey[];  // "Software\\Harnwick\\Lumora", under HKEY_CURRENT_USER

extern Settings g_settings;

// Every value with its own default when missing, unreadable or not 4 bytes
// long, then the range rules; also gives the viewer's zoom mode DefaultFit.
void LoadSettings();
// Every value but the window rectangle, as stored in memory (no range rule).
void SaveSettings();
// The main window's restored rectangle, only when the window exists and
// RememberPos is set.
void SaveWindowPlacement();
