// What the viewer does with the shown picture outside itself: the clipboard,
// the Recycle Bin and an external editor.
#pragma once

// The shown frame as a device-independent bitmap on the clipboard.
void CopyToClipboard();
// Moves the shown file to the Recycle Bin and shows the next picture.
void DeleteShownFile();
// Hands the picture to the system's editor for its type (or the paint
// program with a temporary copy) and closes the viewer.
void EditInPaint();
