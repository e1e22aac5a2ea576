#include "shell/help.h"

void QuitHelp() {}
