// The status bar both modes write into, with the progress bar that long work
// puts into its part 1.
#pragma once
#include <windows.h>

void CreateStatusBar();
// A bar of total steps (kept below 65536) in part 1, at 0.
void ShowProgress(int total);
void StepProgress();
void HideProgress();
// Moves a visible progress bar into status part 1 again (after a layout).
void PlaceProgress();
