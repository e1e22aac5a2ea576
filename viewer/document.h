// The open document: loading a file into the viewer and releasing it.
#pragma once
#include <stdint.h>

#include "core/image.h"

// Loads every frame or page of path and shows the first. On failure the
// user is told why and the old document stays on screen. A step (+1 or -1)
// takes the picture read ahead for it when there is one (viewer/read_ahead.h).
bool LoadDocument(const char* path, int step = 0);
// Releases the open file: frames, delays, undo picture, scaled cache; stops
// the animation.
void CloseDocument();
// The shown file's first frame or page when it is exactly what the file on
// disk gives, for a thumbnail of it: as loaded, never touched by an edit
// (the first edit leaves an undo picture behind, and undo keeps one), not
// saved since (a JPEG save changes the pixels on disk), and from the file as
// it is now (another program may have rewritten it since, under a new size
// and time). None otherwise: anything else would be cached under the file's
// size and time and stay there.
const Image* PictureAsOnDisk(const char* path, uint32_t size, uint64_t modified);
// Decoding gives other pixels now (the colour profile switch changed): the
// shown picture stays, but PictureAsOnDisk no longer offers it.
void ForgetPictureAsOnDisk();
// A file renamed elsewhere (the browser): the shown file goes by its new name.
void FollowRenamedFile(const char* old_path, const char* new_path);
