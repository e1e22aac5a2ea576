// The recent lists' menu items and the start-up rule that reopens the last
// content.
#pragma once

// Entry `index` of the recent files in the viewer; nothing past the list.
void OnRecentFileCommand(int index);
// Entry `index` of the recent folders in the browser, or "Folder is no
// longer available." (the entry stays).
void OnRecentFolderCommand(int index);
// StartLast: the first recent folder in the browser when it holds a
// picture, else the first recent file in the viewer.
void OpenLastContent();
