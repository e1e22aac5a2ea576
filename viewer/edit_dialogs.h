// The editing dialogs: Resize Image (dialog 200) and Adjust Colors (210).
#pragma once
#include <windows.h>

// What the Resize dialog was answered with: a percent of the original (the
// sides then 0), or an explicit size with percent 0.
struct ResizeAnswer {
    int percent;
    int width, height;
};

// Runs the Resize dialog for a picture of ref_w x ref_h; false when cancelled.
// Also the batch resize's question, asked with the first file's size.
bool AskResizeSize(HWND owner, int ref_w, int ref_h, ResizeAnswer* answer);
// The viewer's Resize command: the shown frame resized as an edit, then
// shrunk to fit from the origin. A size the picture cannot take changes nothing.
void ResizeCommand(int id);
// The viewer's Adjust Colors command: the dialog shows its preview in place of
// the shown frame while it is open; OK keeps it as an edit.
void AdjustColorsCommand(int id);
