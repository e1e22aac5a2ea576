#include "shell/setup_switches.h"

#include <windows.h>

#include "shell/associations.h"
#include "shell/settings.h"

namespace {

// The installer puts lumora.exe into the Windows folder.
void file_assoc() {
    char path[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(path, MAX_PATH - 12);
    if (length == 0 || length >= MAX_PATH - 12) path[0] = 0;
    length = lstrlenA(path);
    if (length && path[length - 1] != '\\') lstrcatA(path, "\\");
    lstrcatA(path, "lumora.exe");
    SetAssocExePath(path);
    RunAssociationsDialog(nullptr, true);
}

void unassoc() {
    for (const AssociationRow& row : kAssociationRows) {
        Unassociate(row);
        DeleteKeyTree(ClassesRoot(), row.prog_id);
        if (ClassesRoot() != HKEY_CLASSES_ROOT) DeleteKeyTree(HKEY_CLASSES_ROOT, row.prog_id);
    }
    NotifyAssociationsChanged();
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LUMORA");
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\lumora.exe");
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKey);
    WinExec("rundll.exe setupx.dll,InstallHinfSection DefaultUninstall 4 lumora.inf", SW_SHOWNORMAL);
}

}  // namespace

void RunSetupSwitch(SetupSwitch which) {
    if (which == kSwitchFileAssoc) file_assoc();
    else if (which == kSwitchUnassoc) unassoc();
}
