// The recent files and folders: kept in the registry beside the settings
// ("Recent\File0".. and "RecentFolders\Dir0"..) and offered as numbered
// items in the File menu's two submenus. Registry failures are ignored.
#pragma once
#include <windows.h>

#include "shell/recent_pure.h"

extern RecentList g_recent_files;
extern RecentList g_recent_folders;

// The menus whose File submenus carry the lists (the viewer's and the
// browser's); given once by the main window.
void SetRecentMenus(HMENU viewer_menu, HMENU browser_menu);
// Both lists read from the registry and both menus built again.
void LoadRecentMenus();
// A file opened in the viewer, a folder the browser was entered on: to the
// front, saved, menus rebuilt.
void AddRecentFile(const char* path);
void AddRecentFolder(const char* path);
