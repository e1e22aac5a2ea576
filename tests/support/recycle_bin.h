// Where Wine's Recycle Bin keeps a deleted file: the desktop's trash folder
// of the user's home ("\\??\\Z:\\home\\user").
#pragma once
#include <windows.h>

#include <string.h>

#include <string>

inline std::string recycled_copy(const std::string& name, const char* part = "files", const char* suffix = "") {
    char home[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEHOMEDIR", home, sizeof home);
    return std::string(home + (strncmp(home, "\\??\\", 4) ? 0 : 4)) + "\\.local\\share\\Trash\\" + part + "\\" +
           name + suffix;
}

// Empties the bin of the file again: the bin keeps what earlier runs left.
inline void forget_recycled(const std::string& name) {
    DeleteFileA(recycled_copy(name).c_str());
    DeleteFileA(recycled_copy(name, "info", ".trashinfo").c_str());
}
