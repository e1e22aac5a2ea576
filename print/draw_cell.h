// One picture into one cell, the same for the preview and the paper.
#pragma once
#include <windows.h>

#include "core/image.h"
#include "print/print_layout_pure.h"

// Fitted into the cell (or filling it, clipped to it), shrunk first to
// max_side when it is larger, stretched with colour-on-colour. Nothing for
// no picture or an empty cell.
void DrawImageInCell(HDC dc, const Image* image, const Box& cell, bool fill, int max_side);
