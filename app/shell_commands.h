// The main window's commands that hand over to the shell services: Open
// With, Edit With, wallpaper, help, About and Properties.
#pragma once

// The file a command works on: the first selected item while browsing (none
// without a selection), else the viewer's file. False when there is none.
bool CommandTargetPath(char* path);

void OpenWithCommand();
void EditWithCommand();
// mode: kWallpaperCentered, kWallpaperTiled or kWallpaperStretched.
void WallpaperCommand(int mode);
void HelpTopicsCommand();
void AboutCommand();
// The viewer's file; the browser has the shell's own sheet.
void PropertiesCommand();
