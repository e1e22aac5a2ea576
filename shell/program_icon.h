// The program's icon (group 100) for the window, its class and the About box,
// picked for the colour depth the shell draws icons with.
#pragma once
#include <windows.h>

// "Shell Icon BPP" of the user's window metrics; 0 when it is not set.
int ShellIconDepth();
// The best image of group 100 for a square size and a colour depth, as an
// icon of size x size; none without the group, an image or a good load.
HICON LoadProgramIcon(HINSTANCE instance, int depth, int size);
// The icon the program shows: the picked image when the shell names a depth,
// else the system's own choice at that size. The caller destroys it.
HICON PickProgramIcon(HINSTANCE instance, int size);
