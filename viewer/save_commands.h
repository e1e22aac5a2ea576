// Save, Save As and Export Frames of the viewer.
#pragma once

// Writes the shown frame over its file (Save As when the file's type cannot be
// written); true when saved.
bool SaveImage();
// Asks for a name and writes the shown frame; true when saved.
bool SaveImageAs();
// Writes every frame or page as name_01.png, name_02.png...
void ExportFrames();
