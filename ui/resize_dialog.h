// The Resize Image dialog (200), shared by the viewer's Resize and the
// browser's batch resize.
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
