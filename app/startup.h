// Process start: command line, hand-over to a running window, the main window,
// the first content and the message loop.
#pragma once
#include <windows.h>

// The whole run of the program; returns the process exit code.
int LumoraRun(HINSTANCE instance, const char* command_line, int show);
// Sends path to a running "LumoraMain" window; false when none runs.
bool HandOverToRunningInstance(const char* command_line);
// One pass of the loop's filter: whether the accelerators may see msg.
bool AcceleratorsMaySee(const MSG& msg);
