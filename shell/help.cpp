#include "shell/help.h"

#include <stdio.h>

#include "platform/bridge.h"
#include "platform/text.h"

namespace {

bool help_engine_present() {
    DWORD version = GetVersion();
    return (version & 0x80000000u) || (version & 0xFF) < 6;
}

}  // namespace

const char* HelpFilePath() {
    static char path[MAX_PATH] = "";
    if (path[0]) return path;
    char own[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, own, sizeof own);
    char* slash = length && length < sizeof own ? strrchr(own, '\\') : nullptr;
    if (slash && (size_t)(slash + 1 - own) + sizeof "lumora.hlp" <= sizeof own) {
        lstrcpyA(slash + 1, "lumora.hlp");
        if (GetFileAttributesA(own) != INVALID_FILE_ATTRIBUTES) {
            lstrcpynA(path, own, sizeof path);
            return path;
        }
    }
    char windows[MAX_PATH] = "";
    UINT got = GetWindowsDirectoryA(windows, sizeof windows);
    if (got >= sizeof windows) windows[0] = 0;
    snprintf(path, sizeof path, "%s\\Help\\lumora.hlp", windows);
    return path;
}

void ShowHelp(HWND window, UINT command, ULONG_PTR data) {
    if (help_engine_present()) {
        WinHelpA(window, HelpFilePath(), command, data);
        return;
    }
    if (command == HELP_FINDER) show_message(window, tr(kTextHelpUnsupported), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
}

void QuitHelp() {
    if (help_engine_present()) WinHelpA(nullptr, nullptr, HELP_QUIT, 0);
}
