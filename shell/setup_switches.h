// "/fileassoc" and "/unassoc": what the setup program and the uninstaller
// start Lumora with. Both run before any window exists; the process ends
// afterwards with code 0.
#pragma once
#include "shell/associations_pure.h"

void RunSetupSwitch(SetupSwitch which);
