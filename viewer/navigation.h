// Stepping through the pictures of the folder list: Previous, Next, First
// and Last, and the step to any one entry.
#pragma once

enum GoResult {
    kGoShown,     // the picture is on screen
    kGoNowhere,   // no other picture to go to
    kGoDeclined,  // the user kept the edited picture
    kGoFailed,    // the file did not open (the user was told)
};
// After a picture is shown, the next one in the direction of travel (the
// last step's, forward at first) is read ahead.
GoResult GoToIndex(int index);
// The image `step` places from list index `from`, wrapping and passing
// files that are no pictures; -1 when there is none other.
int NextImageIndex(int from, int step);
GoResult StepImage(int step);
// Previous, Next, First and Last.
void OnStepCommand(int id);
