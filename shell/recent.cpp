#include "shell/recent.h"

void LoadRecentMenus() {}
void AddRecentFile(const char*) {}
void OnRecentFileCommand(int) {}
void OnRecentFolderCommand(int) {}
void OpenLastContent() {}
