// The help file "lumora.hlp" through the system's help engine, where the
// system still has one.
#pragma once
#include <windows.h>

// Beside the program, else the Windows folder's Help folder; found once.
const char* HelpFilePath();
// Windows 9x and NT before 6 call the help engine; later systems answer
// HELP_FINDER with a message and ignore everything else.
void ShowHelp(HWND window, UINT command, ULONG_PTR data);
// Tells the help engine the program is going.
void QuitHelp();
