// Handing a picture file to an editor: the system's "edit" verb of its type,
// or the paint program that comes with Windows.
#pragma once
#include <windows.h>

// False when the shell could not run the verb (no editor registered).
bool run_edit_verb(HWND owner, const char* path);
// The paint program on path, quoted; false when it did not start.
bool run_paint_program(HWND owner, const char* path);
