// Opening files and folders from anywhere: the command line, a hand-over,
// a drop, the Open and Open Folder commands. A file shows in the viewer,
// a folder in the browser.
#pragma once

// Scans the folder and shows it in the browser, without asking about unsaved
// changes (the picture stays open behind it).
void ShowFolderInBrowser(const char* folder);
// A folder opens the browser, a file the viewer. Relative paths are taken
// from the current folder.
void OpenPath(const char* path);
// Confirm, load, scan the folder, leave the browser, lay out.
bool OpenFileInViewer(const char* path);
// Open (IDM_FILE_OPEN) and Open Folder (IDM_FILE_OPEN_FOLDER).
void OnOpenCommand();
void OnOpenFolderCommand();
