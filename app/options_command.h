// View > Options (40028) in both modes: the sheet, then the main window
// brought in line with what changed, then the settings saved.
#pragma once

void ShowOptions();
