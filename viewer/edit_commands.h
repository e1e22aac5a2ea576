// Editing the shown picture, undo and saving.
#pragma once

// Asks whether to save an edited picture; true when the caller may go on.
bool ConfirmDiscard();
// Ends a crop drag: crops to the dragged rectangle.
void ApplyCrop();
