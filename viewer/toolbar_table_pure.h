// The viewer toolbar's buttons and the tooltip lookup shared by both toolbars.
#pragma once

const int kToolbarSeparator = -1;
const int kToolbarPageBoxSlot = -2;  // the separator that holds the page box

struct ToolbarButtonDef {
    int image;    // index into the strip, or one of the two values above
    int command;
    int tooltip;  // text id
};

const int kViewerToolbarButtonCount = 23;
extern const ToolbarButtonDef kViewerToolbarButtons[kViewerToolbarButtonCount];
const int kPageBoxSlotWidth = 34;

// Text id of a toolbar command's tooltip, or -1 when it has none.
int ToolbarTooltipId(int command);
