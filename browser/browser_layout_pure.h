// Where the browser's panes go in the main window's client area.
#pragma once

struct PaneBox {
    int left, top, right, bottom;
};

struct BrowserPanes {
    PaneBox address_bar;  // empty without the address bar
    PaneBox header;       // the caption row over tree and list (20 pixels, the last a line)
    PaneBox tree;         // empty without the folder tree
    PaneBox gap;          // the 3-pixel strip between tree and list
    PaneBox list;
};

const int kAddressBarHeight = 22;
const int kAddressRowHeight = 24;  // the bar and a 2-pixel strip under it
const int kHeaderRowHeight = 20;
const int kPaneGap = 3;

// client_width, client_height: the client area; top: below the toolbar;
// bottom: the top of the status bar (the client height without one).
BrowserPanes layout_browser_panes(int client_width, int top, int bottom, bool tree, bool address_bar);
