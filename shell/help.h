#pragma once
// Tells the help engine the program is going.
void QuitHelp();
