#include "viewer/edit_commands.h"

// Nothing can be edited yet, so there is never anything to lose.
bool ConfirmDiscard() { return true; }

void ApplyCrop() {}
