// The viewer's Properties box: the file's name, path, size and the shown
// picture's dimensions, with the camera and date of a photo's EXIF data.
#pragma once
#include <windows.h>

struct Image;

// Nothing without a path; image may be none (0 x 0).
void ShowProperties(HWND owner, const char* path, const Image* image);
// The box's text, as shown.
void PropertiesText(const char* path, const Image* image, char* out, size_t size);
