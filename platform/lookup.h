// Functions that not every Windows the program runs on has: those younger
// than Windows 95, and the wide ones that 95 and 98 only stub. None of them
// is imported, since an import the system lacks stops the loader before the
// program starts; they are looked up at run time, each call with its
// fallback. tests/imports checks the import table of the built program.
#pragma once
#include <windows.h>

// The function `name` of module into slot, or null when either is missing.
template <typename F>
void lookup_function(HMODULE module, const char* name, F* slot) {
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    *slot = reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

// Registers the common control classes: InitCommonControlsEx where comctl32
// has it (4.70, from Internet Explorer 3 on), else InitCommonControls, which
// registers every class the first comctl32 of Windows 95 knows.
void init_common_controls(DWORD classes);
