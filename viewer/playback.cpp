#include "viewer/playback.h"

void ToggleFullScreen() {}
void EndFullScreen() {}
void StopSlideShow() {}
void OnSlideShowTimer() {}
void OnAnimationTimer() {}
