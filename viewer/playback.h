// Animation, pages, slide show and full screen.
#pragma once

void ToggleFullScreen();
void EndFullScreen();
void StopSlideShow();
void OnSlideShowTimer();
void OnAnimationTimer();
