// The Thumbnails view.
#include "browser/browser_state.h"

void fill_thumbnail_view() {}
void thumbnails_shutdown() {}
