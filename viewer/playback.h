// Animation, pages, slide show and full screen: the viewer through time.
// Timer work waits while modal UI runs (platform/modal.h).
#pragma once
#include <windows.h>

// animation.cpp
// Starts the frame timer when the open document is an animation and
// animations are not switched off.
void StartAnimation();
void StopAnimation();
// Timer 2: the next present frame, with its own delay.
void AnimationStep();
// Space: pauses or resumes a running slide show, else plays or stops the frames.
void PlayPause();
// Previous and Next Page: step pages (present ones), wrapping; stops the animation.
void StepPage(int step);

// slide_show.cpp
void ToggleSlideShow();
// Ends a running slide show (Escape, leaving full screen).
void StopSlideShow();
// Timer 1: the next picture of the folder in the order the settings choose.
void SlideShowStep();

// full_screen.cpp
void ToggleFullScreen();
void EndFullScreen();
