// Printing: the print dialog with its live preview, and the print job that
// lays pictures out on the pages (print_layout_pure.h has the arithmetic).
// The options live for the run only; nothing is stored.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "core/image.h"

// What to print, gathered by the main window: the paths (at most 500, in
// order) and the viewer's picture, which serves for its own path instead of
// a load from disk.
struct PrintSource {
    std::vector<std::string> paths;
    const Image* shown;
    const char* shown_path;
};

// Print (layout 0) and Print Thumbnails (layout 4): the dialog, then the job.
// "No images to print." for an empty source.
void PrintCommand(int initial_layout, const PrintSource& source);
// The printer's set-up blocks, freed when the main window goes.
void FreePrintState();
