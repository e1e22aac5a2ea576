#include "platform/lookup.h"

#include <commctrl.h>

void init_common_controls(DWORD classes) {
    BOOL(WINAPI * init_ex)(const INITCOMMONCONTROLSEX*) = nullptr;
    // The module the imports bound, the version the manifest picks included.
    lookup_function(GetModuleHandleA("comctl32.dll"), "InitCommonControlsEx", &init_ex);
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes};
    if (!init_ex || !init_ex(&controls)) InitCommonControls();
}
