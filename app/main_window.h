// The one top-level window of Lumora: its class, creation and procedure.
#pragma once
#include <windows.h>
#include "ui/frame.h"

extern const char kMainClassName[];  // "LumoraMain"
const int kDefaultWindowWidth = 720;
const int kDefaultWindowHeight = 540;
const DWORD kMainWindowStyle = WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL;

// Registers "LumoraMain" with the class icon given; nonzero on success (also
// when it already exists).
ATOM RegisterMainWindowClass(HINSTANCE instance, HICON icon);
// Creates the main window by the settings' rectangle rule; none on failure.
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
