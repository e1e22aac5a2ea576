// The Options property sheet: a Browser and a Viewer page over g_settings,
// OK and Cancel, no Apply. Only the pages are here; bringing the main window
// in line afterwards is the caller's.
#pragma once
#include <windows.h>

// `clear_cache` empties the thumbnail cache for the Browser page's button.
// Returns once the sheet has closed, whichever button closed it.
void RunOptionsSheet(HWND owner, void (*clear_cache)());
