// Editing the shown frame with one level of undo, and the crop tool.
#pragma once
#include "core/image.h"

// Installs an edited frame in place of the shown one and keeps the shown one
// as the undo step. Takes ownership; nothing when new_image or the document
// is none (new_image is then freed). The caller lays the window out again.
void ApplyEdit(Image* new_image);
// Swaps the shown frame and the undo picture: Undo twice is redo.
void UndoEdit();
// `edited` again from the frames: set while any frame differs from its
// picture as loaded or last saved.
void RefreshEdited();
// Asks whether to save an edited picture; true when the caller may go on.
bool ConfirmDiscard();
// Rotate, Flip and Grayscale: the shown frame through its transform.
void TransformCommand(int id);
// The crop tool's command: turns crop mode on or off.
void ToggleCropMode();
// Ends a crop drag: crops to the dragged rectangle.
void FinishCrop();
// Ends crop mode without cropping (Escape), with the status bar and menu.
void CancelCrop();
// Ends crop mode and a drag in progress, giving the mouse back; nothing is
// redrawn (opening a file).
void EndCropMode();
