// The print options of the run, and the chosen printer.
#pragma once
#include <windows.h>

struct PrintOptions {
    int layout = 0;  // row of the layout table
    int copies = 1;
    bool fitToFrame = false;
    bool landscape = false;
    int previewPage = 0;
    bool centerOnPage = true;
    bool showNames = true;
    int margins = 0;  // row of the margin table
    bool grayscale = false;
    int qualityX = 0, qualityY = 0;  // dots per inch; 0: not chosen
    HGLOBAL devMode = nullptr, devNames = nullptr;  // as the system's print dialog gives them
};

extern PrintOptions g_print;

// The default printer's set-up blocks, when none are kept yet. False when
// the system has no printer.
bool EnsureDefaultPrinter();
// A context for the printer of the blocks, with the orientation, the colour
// and the chosen quality written into the device mode. None on failure.
HDC CreatePrinterDC(HGLOBAL devMode, HGLOBAL devNames, bool landscape);
// The kept device name, or "" without one.
void PrinterName(char* out, int size);
