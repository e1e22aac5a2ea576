// Read-ahead: while the user looks at a picture, the next one in the
// direction of travel is decoded on a worker thread at low priority, so that
// Next or Previous shows it without waiting. At most one picture is held
// ahead; it serves only the same file, unchanged in size and last-write
// time, in the same folder list, sort and direction.
#pragma once
#include <stdint.h>

#include "core/image.h"

// After the picture at list index `shown` is on screen, travelling by step
// (+1 or -1): the next picture is read once the interface is idle (the
// decode starts from the message loop, never in the middle of a command).
void ReadAheadFrom(int shown, int step);
// Takes the read-ahead decode of path when it was made for this step of the
// folder list as it is, succeeded, and the file is unchanged since; waits for
// it when it is still being made. size and time: the file's stamp, read
// before that decode. False: the caller decodes the file itself.
bool TakeReadAhead(const char* path, int step, ImageSet* set, uint64_t* size, uint64_t* time);
// Forgets any read-ahead, waiting for a decode still running (the worker
// has the file open): before the window goes, and in tests.
void DropReadAhead();
// Tests: runs the posted tasks until the read-ahead asked for is decoded (or
// none is coming); path: the file of the picture then held ahead, "" when none.
void WaitForReadAhead(char* path, int path_bytes);
// Tests: how many pictures read ahead were shown so far.
int ReadAheadServed();
