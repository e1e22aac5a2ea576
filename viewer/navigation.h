// Opening files and folders, and stepping through the pictures of the
// folder of the open file.
#pragma once

// Whether the path names an existing folder.
bool IsFolderPath(const char* path);
// Scans the folder and shows it in the browser, without asking about unsaved
// changes (the picture stays open behind it).
void ShowFolderInBrowser(const char* folder);
// A folder opens the browser, a file the viewer. Relative paths are taken
// from the current folder.
void OpenPath(const char* path);
// Confirm, load, scan the folder, lay out.
bool OpenFileInViewer(const char* path);
enum GoResult {
    kGoShown,     // the picture is on screen
    kGoNowhere,   // no other picture to go to
    kGoDeclined,  // the user kept the edited picture
    kGoFailed,    // the file did not open (the user was told)
};
GoResult GoToIndex(int index);
// The image `step` places from list index `from`, wrapping and passing
// files that are no pictures; -1 when there is none other.
int NextImageIndex(int from, int step);
GoResult StepImage(int step);
// Open (IDM_FILE_OPEN), Open Folder (IDM_FILE_OPEN_FOLDER), and Previous,
// Next, First and Last.
void OnOpenCommand(int id);
void OnOpenFolderCommand(int id);
void OnStepCommand(int id);
