#include "print/print.h"

void FreePrintState() {}
