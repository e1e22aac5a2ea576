#include "app/layout_pure.h"
#include "core/ascii_case.h"

#include <stdlib.h>
#include <string.h>

int StatusPartEdges(int cw, bool browser, int edges[5]) {
    if (browser) {
        edges[0] = cw < 310 ? 80 : cw - 230;
        edges[1] = cw - 120;
        if (edges[1] < edges[0]) edges[1] = edges[0] + 10;
        edges[2] = -1;
        return 3;
    }
    edges[0] = cw < 420 ? 60 : cw - 360;
    const int from_right[3] = {230, 160, 70};
    for (int i = 1; i <= 3; ++i) {
        edges[i] = cw - from_right[i - 1];
        if (edges[i] < edges[i - 1]) edges[i] = edges[i - 1] + 10;
    }
    edges[4] = -1;
    return 5;
}

bool SkipAccelerators(const KeyFacts& f) {
    const char* cls = f.focus_class ? f.focus_class : "";
    const unsigned kPageUp = 0x21, kDown = 0x28;  // Page Up, Page Down, End, Home, arrows
    if (f.key_down && !f.ctrl_held && f.virtual_key >= kPageUp && f.virtual_key <= kDown &&
        (equal_ignoring_case(cls, "SysListView32") || equal_ignoring_case(cls, "SysTreeView32")))
        return true;
    return equal_ignoring_case(cls, "Edit") && !f.focus_is_page_box;
}

