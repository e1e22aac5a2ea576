// The user's preferences, kept as REG_DWORD values under
// HKEY_CURRENT_USER\Software\Harnwick\Lumora. Loaded once at start-up; saved
// whole when a command or dialog changes them; the window rectangle only when
// the main window goes. Failures are silent: reads fall back to defaults,
// writes that fail are dropped.
#pragma once
#include <windows.h>

#include "shell/settings_pure.h"

extern const char kSettingsKey[];  // "Software\\Harnwick\\Lumora", under HKEY_CURRENT_USER

extern Settings g_settings;

// Every value with its own default when missing, unreadable or not 4 bytes
// long, then the range rules.
Settings LoadSettings();
// Every value of g_settings but the window rectangle, as stored in memory
// (no range rule).
void SaveSettings();
// The window's restored rectangle (or `instead`, in screen coordinates,
// when given) into g_settings and the registry, only when the window exists
// and RememberPos is set.
void SaveWindowPlacement(HWND window, const RECT* instead = nullptr);
