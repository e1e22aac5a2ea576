// Animation, pages, slide show and full screen.
#pragma once

// Starts the frame timer when the open document is an animation and
// animations are not switched off.
void StartAnimation();
void StopAnimation();
void ToggleFullScreen();
void EndFullScreen();
void StopSlideShow();
void OnSlideShowTimer();
void OnAnimationTimer();
