#include "viewer/toolbar_table_pure.h"

const ToolbarButtonDef kViewerToolbarButtons[kViewerToolbarButtonCount] = {
    {2, 40001, 3},    // Open (Ctrl+O)
    {3, 40007, 4},    // Save (Ctrl+S)
    {4, 40003, 5},    // Print (Ctrl+P)
    {kToolbarSeparator, 0, -1},
    {13, 40010, 6},   // Previous (Left)
    {14, 40011, 7},   // Next (Right)
    {kToolbarSeparator, 0, -1},
    {8, 40022, 8},    // Zoom In (+)
    {9, 40023, 9},    // Zoom Out (-)
    {10, 40020, 10},  // Best Fit
    {18, 40021, 11},  // Actual Size (Ctrl+1)
    {kToolbarSeparator, 0, -1},
    {11, 40031, 12},  // Rotate Left (Ctrl+,)
    {12, 40030, 13},  // Rotate Right (Ctrl+.)
    {kToolbarSeparator, 0, -1},
    {5, 40063, 14},   // Crop (Ctrl+K)
    {7, 40064, 15},   // Adjust Colors (Ctrl+U)
    {kToolbarSeparator, 0, -1},
    {16, 40027, 16},  // Browse Folder (F4); the fixed list below overrides it
    {kToolbarSeparator, 0, -1},
    {13, 40070, 17},  // Previous Page (Ctrl+PgUp)
    {kToolbarPageBoxSlot, 0, -1},
    {14, 40071, 18},  // Next Page (Ctrl+PgDn)
};

namespace {

struct TooltipRow {
    int command;
    int text;
};

// Checked before the button table; the browser toolbar's buttons are here too.
const TooltipRow kFixedTooltips[] = {
    {40003, 5},  {40004, 52}, {40005, 53}, {40027, 44}, {40030, 13}, {40031, 12},
    {40108, 45}, {40039, 46}, {40032, 47}, {40038, 48}, {40109, 49}, {40118, 50},
    {40119, 51}, {40033, 54}, {40034, 55}, {40035, 56}, {40036, 57},
};

}  // namespace

int ToolbarTooltipId(int command) {
    for (const TooltipRow& row : kFixedTooltips)
        if (row.command == command) return row.text;
    for (const ToolbarButtonDef& b : kViewerToolbarButtons)
        if (b.image >= 0 && b.command == command) return b.tooltip;
    return -1;
}
