// The recent files and folders, kept in the registry and shown in menus.
#pragma once

void LoadRecentMenus();
void AddRecentFile(const char* path);
// Commands IDM_RECENT_FILE_FIRST + index and IDM_RECENT_FOLDER_FIRST + index.
void OnRecentFileCommand(int index);
void OnRecentFolderCommand(int index);
// The StartLast rule: the first recent folder in the browser when it holds a
// picture, else the first recent file in the viewer.
void OpenLastContent();
