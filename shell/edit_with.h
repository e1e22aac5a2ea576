// Handing a file to another program: the shell's Open With chooser, and the
// program's own Edit With chooser, which lists the installed programs, runs
// the chosen one on the file and can make it the type's edit command.
#pragma once
#include <windows.h>

// The shell's chooser for target (a path, or none: nothing happens).
void OpenWith(HWND owner, const char* target);
// The Edit With dialog over owner for target (none: nothing happens).
void EditWith(HWND owner, const char* target);
