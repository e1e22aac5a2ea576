// The frame of the one main window, which both modes share: its handles,
// its chrome and which mode and overlay it shows. The main window (app/)
// fills it in and installs the two hooks through which the modes ask for a
// new layout and for fresh command states.
#pragma once
#include <windows.h>

// Child window ids.
const int kToolbarId = 1;
const int kStatusBarId = 2;
const int kListViewId = 3;
const int kBrowserToolbarId = 4;
const int kPageBoxId = 60;

struct Frame {
    HWND window;
    HINSTANCE instance;
    HMENU viewer_menu;   // menu 101
    HMENU browser_menu;  // menu 130, swapped in by browse mode
    HWND toolbar, page_box;  // the viewer's toolbar and its page box
    HWND browser_toolbar;    // none until the browser is first shown
    HWND status_bar;
    HICON big_icon, small_icon;
    bool BrowseMode;   // the browser is shown
    bool fullscreen;  // the menu is detached; leaving attaches the shown mode's
};

extern Frame g_frame;

// What the main window does for the modes below it.
struct FrameHooks {
    void (*relayout)();          // the one layout pass: chrome, panes, texts, repaint
    void (*refresh_commands)();  // menu items, toolbar buttons and the page box
};
void frame_set_hooks(FrameHooks hooks);
// Both do nothing until the main window has set its hooks.
void frame_relayout();
void frame_refresh_commands();

// The menu of the shown mode.
HMENU frame_mode_menu();
// Attaches the menu of the shown mode; nothing in full screen, which
// attaches it when it ends.
void frame_attach_mode_menu();

// The outer height of a chrome window; 0 for none.
int WindowHeight(HWND window);
