#include "shell/wallpaper.h"

#include <stdio.h>
#include <string.h>

#include "core/stb_adapter.h"
#include "platform/bridge.h"
#include "platform/text.h"

namespace {

// folder + the wallpaper file's name into path; false when it would not fit
// or the folder is unknown.
bool wallpaper_path(const char* folder, DWORD length, char* path) {
    if (length == 0 || length >= kPathBytes) return false;
    const char* separator = folder[length - 1] == '\\' ? "" : "\\";
    char name[80];
    lstrcpynA(name, tr(kTextWallpaperFileName), sizeof name);
    int n = snprintf(path, kPathBytes, "%s%s%s", folder, separator, name);
    return n > 0 && n < kPathBytes;
}

bool write_in_windows_folder(const Image* image, char* path) {
    char folder[kPathBytes];
    DWORD length = GetWindowsDirectoryA(folder, sizeof folder);
    return wallpaper_path(folder, length, path) && save_image(path, image, kSaveBmp, 0);
}

bool write_in_temporary_folder(const Image* image, char* path) {
    char folder[kPathBytes];
    DWORD length = GetTempPathA(sizeof folder, folder);
    return wallpaper_path(folder, length, path) && save_image(path, image, kSaveBmp, 0);
}

void set_desktop_values(int mode) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    const char* tile = mode == kWallpaperTiled ? "1" : "0";
    const char* style = mode == kWallpaperStretched ? "2" : "0";
    RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, (const BYTE*)tile, 2);
    RegSetValueExA(key, "WallpaperStyle", 0, REG_SZ, (const BYTE*)style, 2);
    RegCloseKey(key);
}

void show_failure(HWND owner) {
    show_message(owner, tr(kTextCouldNotSetWallpaper), tr(kTextProduct), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void SetWallpaper(HWND owner, const Image* image, int mode) {
    if (!image) return;
    char path[kPathBytes];
    if (!write_in_windows_folder(image, path) && !write_in_temporary_folder(image, path)) {
        show_failure(owner);
        return;
    }
    set_desktop_values(mode);
    // A system that refuses the file (no desktop, a policy) must not look
    // as if it had taken it.
    if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, path, SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE))
        show_failure(owner);
}
