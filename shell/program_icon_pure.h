// Choosing among the images of the program's icon group, without Windows.
#pragma once

// Score of one entry of an icon group for a wanted size and the display's
// colour depth; the first entry with the highest score wins. width 0 means 256.
int IconEntryScore(int entry_width, int entry_bits, int wanted_size, int display_bits);
