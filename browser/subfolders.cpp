// The subfolders of the listed folder.
#include "browser/browser_state.h"

void scan_subfolders() {}
void free_subfolders() {}
