// The browser toolbar.
#include "browser/browser_state.h"

void create_browser_toolbar() {}
void update_browser_toolbar() {}
void destroy_browser_toolbar() {}
