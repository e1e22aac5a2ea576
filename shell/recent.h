// The recent files and folders, kept in the registry and shown in menus.
#pragma once

void LoadRecentMenus();
void AddRecentFile(const char* path);
// Commands 40110..40117 and 40120..40127.
void OnRecentFileCommand(int index);
void OnRecentFolderCommand(int index);
// The StartLast rule: the first recent folder in the browser when it holds a
// picture, else the first recent file in the viewer.
void OpenLastContent();
