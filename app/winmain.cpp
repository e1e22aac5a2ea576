// Process entry: everything else lives in the library the tests link too.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show) {
    return LumoraRun(instance, command_line, show);
}
