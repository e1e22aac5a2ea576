#include "shell/editor_launch.h"

#include <shellapi.h>
#include <stdio.h>

namespace {

const char kPaintProgram[] = "mspaint.exe";

// ShellExecute reports success with a value above 32.
bool shell_run(HWND owner, const char* verb, const char* file, const char* parameters) {
    return (INT_PTR)ShellExecuteA(owner, verb, file, parameters, nullptr, SW_SHOWNORMAL) > 32;
}

}  // namespace

bool run_edit_verb(HWND owner, const char* path) { return shell_run(owner, "edit", path, nullptr); }

bool run_paint_program(HWND owner, const char* path) {
    char quoted[MAX_PATH + 2];
    snprintf(quoted, sizeof quoted, "\"%s\"", path);
    return shell_run(owner, "open", kPaintProgram, quoted);
}
