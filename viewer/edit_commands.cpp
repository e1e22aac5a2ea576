#include "viewer/edit_commands.h"

// Nothing can be edited yet, so there is never anything to lose.
int ConfirmDiscard() { return 1; }

void ApplyCrop() {}
