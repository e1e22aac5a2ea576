// The shown picture as the desktop wallpaper.
#pragma once
#include <windows.h>

struct Image;

enum WallpaperMode { kWallpaperCentered = 0, kWallpaperTiled = 1, kWallpaperStretched = 2 };

// Writes image as "Windows Lumora.bmp" into the Windows folder (the
// temporary folder when that fails), sets the desktop's tile and style values
// for mode and makes the file the wallpaper. A failure to write the file or
// to set the wallpaper is shown over owner. Nothing without an image.
void SetWallpaper(HWND owner, const Image* image, int mode);
