// Read-ahead: while the user looks at a picture, the next one in the
// direction of travel is decoded on a worker thread at low priority, so that
// Next or Previous shows it without waiting. At most one picture is held
// ahead; it serves only the same file, unchanged in size and last-write
// time, in the same folder list, sort and direction.
#pragma once
#include <windows.h>
#include <stdint.h>

#include "core/image.h"

// A picture read ahead, handed to the document.
struct ReadAheadPicture {
    ImageSet set;
    uint64_t size, time;  // the file's stamp, read before the decode
    // The view's scaled picture of the first frame, made for the view as it
    // was (the cache's key decides whether it still serves); none when not made.
    HBITMAP scaled;
    int scaled_w, scaled_h;
};

// After the picture at list index `shown` is on screen, travelling by step
// (+1 or -1): the next picture is read once the interface is idle (the
// decode starts from the message loop, never in the middle of a command).
void ReadAheadFrom(int shown, int step);
// Takes the read-ahead decode of path when it was made for this step of the
// folder list as it is, succeeded, and the file is unchanged since; waits for
// it when it is still being made. False: the caller decodes the file itself.
bool TakeReadAhead(const char* path, int step, ReadAheadPicture* picture);
// The frames of a document a step closes, freed by the next read-ahead's
// worker before it decodes (at once when none is coming). Taken over.
void RetireFrames(const ImageSet& frames);
// Forgets any read-ahead, waiting for a decode still running (the worker
// has the file open): before the window goes, and in tests.
void DropReadAhead();
// Tests: runs the posted tasks until the read-ahead asked for is decoded (or
// none is coming); path: the file of the picture then held ahead, "" when none.
void WaitForReadAhead(char* path, int path_bytes);
// Tests: how many pictures read ahead were shown so far.
int ReadAheadServed();
