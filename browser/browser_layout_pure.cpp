#include "browser/browser_layout_pure.h"

BrowserPanes layout_browser_panes(int width, int top, int bottom, bool tree, bool address_bar) {
    BrowserPanes p = {};
    if (address_bar) {
        p.address_bar = {0, top, width, top + kAddressBarHeight};
        top += kAddressRowHeight;
    }
    p.header = {0, top, width, top + kHeaderRowHeight};
    top += kHeaderRowHeight;
    if (bottom < top) bottom = top;
    int tree_width = 0;
    if (tree) {
        tree_width = width / 2 < 200 ? width / 2 : 200;
        if (tree_width < 80) tree_width = width < 80 ? width : 80;
    }
    int list_left = tree_width > 0 ? tree_width + kPaneGap : 0;
    if (list_left > width) list_left = width;
    if (tree_width > 0) {
        p.tree = {0, top, tree_width, bottom};
        p.gap = {tree_width, p.header.top, list_left, bottom};
    }
    p.list = {list_left, top, width, bottom};
    return p;
}
