// The viewer's editing commands with dialogs: Resize Image (dialog 200,
// ui/resize_dialog.h) and Adjust Colors (210).
#pragma once
#include <windows.h>

// The viewer's Resize command: the shown frame resized as an edit, then
// shrunk to fit from the origin. A size the picture cannot take changes nothing.
void ResizeCommand(int id);
// The viewer's Adjust Colors command: the dialog shows its preview in place of
// the shown frame while it is open; OK keeps it as an edit.
void AdjustColorsCommand(int id);
