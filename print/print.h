#pragma once
// Frees the print list's pictures and the printer set-up blocks.
void FreePrintState();
