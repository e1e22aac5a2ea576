#include "browser/browser.h"

void enter_browser() {}
bool BrowserCommand(int) { return false; }
bool BrowserNotify(NMHDR*, LRESULT*) { return false; }
void BrowserOpenSelected() {}
void BrowserLayout() {}
void BrowserShutdown() {}
void BrowserSysColorChange(WPARAM, LPARAM) {}
void BrowserRecreateToolbar() {}
int BrowserSelectedCount() { return 0; }
bool BrowserSelectionHasImage() { return false; }
void BrowserForgetDimensions() {}
