#include "shell/setup_switches.h"

void RunSetupSwitch(int) {}
