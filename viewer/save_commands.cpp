#include "viewer/save_commands.h"

bool SaveImage() { return false; }
bool SaveImageAs() { return false; }
void ExportFrames() {}
