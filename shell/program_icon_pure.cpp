#include "shell/program_icon_pure.h"

#include <stdlib.h>

int IconEntryScore(int entry_width, int entry_bits, int wanted_size, int display_bits) {
    int width = entry_width == 0 ? 256 : entry_width;
    int score = -abs(width - wanted_size) - 8 * abs(entry_bits - display_bits);
    if (entry_bits == display_bits) score += 1000;
    if (width == wanted_size) score += 200;
    return score;
}
