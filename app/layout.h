#pragma once
// The one layout pass of the main window: chrome visibility and size, status
// parts, scroll limits, status texts, toolbar and menu state, repaint.
void LayoutMainWindow();
