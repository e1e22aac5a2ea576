// The About box: the shell's own, with the program's icon, name and credits.
#pragma once
#include <windows.h>

// The build shown under the credits; raised with each release.
const int kBuildNumber = 1;

void ShowAbout(HWND owner);
