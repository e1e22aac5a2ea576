// Paths handed to the window from outside: dropped files and folders, and
// the path a second start of the program passes on.
#pragma once
#include <windows.h>

void OnDropFiles(HDROP drop);
// WM_COPYDATA from a second instance: always TRUE.
LRESULT OnCopyData(const COPYDATASTRUCT* data);
