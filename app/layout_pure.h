// Layout arithmetic of the main window that needs no window: status bar part
// edges, the start-up rectangle rule and the keys the accelerators leave alone.
#pragma once

// Right edges of the status bar parts for a client width; the last is -1
// (to the window's edge). Viewer and full screen: 5 parts; browser: 3.
// Returns the number of parts written to edges (room for 5).
int StatusPartEdges(int client_width, bool browser, int edges[5]);

// What the message loop knows about a message when it decides whether the
// accelerator table may see it.
struct KeyFacts {
    bool key_down;        // WM_KEYDOWN
    unsigned virtual_key;
    bool ctrl_held;
    const char* focus_class;  // class name of the focus window, "" when none
    bool focus_is_page_box;
};
// The list and tree keep their own navigation keys; edit fields other than
// the page box keep every key.
bool SkipAccelerators(const KeyFacts& facts);
