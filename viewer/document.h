// The open document: from a path to the shown picture, and stepping through
// the pictures of its folder.
#pragma once

// Whether the path names an existing folder.
bool IsFolderPath(const char* path);
// A folder opens the browser, a file the viewer.
void OpenPath(const char* path);
// Confirm, load, scan the folder, lay out. Nonzero on success.
int OpenFileInViewer(const char* path);
// 1 on success; 0 after telling the user why, with the old document kept.
int LoadDocument(const char* path);
void CloseDocument();
void GoToIndex(int index);
void StepImage(int step);
// Open (40001), Open Folder (40008), Previous, Next, First, Last.
void OnOpenCommand(int id);
void OnOpenFolderCommand(int id);
void OnStepCommand(int id);
