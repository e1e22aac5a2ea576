#pragma once
#include <windows.h>

#include "print/print.h"

// The Print dialog over owner for what source holds; true when the user
// chose Print. The options are left in g_print.
bool RunPrintDialog(HWND owner, HINSTANCE instance, const PrintSource& source);
// The pages of source on the printer with the options of g_print.
void RunPrintJob(HWND owner, const PrintSource& source);
