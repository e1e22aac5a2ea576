// The open document: loading a file into the viewer and releasing it.
#pragma once

// Loads every frame or page of path and shows the first. On failure the
// user is told why and the old document stays on screen.
bool LoadDocument(const char* path);
// Releases the open file: frames, delays, undo picture, scaled cache; stops
// the animation.
void CloseDocument();
