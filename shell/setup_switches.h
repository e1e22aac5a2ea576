// "/fileassoc" and "/unassoc": registering and removing the file types.
#pragma once

// which: 1 register, 2 remove. The process ends afterwards with code 0.
void RunSetupSwitch(int which);
