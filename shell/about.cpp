#include "shell/about.h"

#include <shellapi.h>
#include <stdio.h>

#include "platform/bridge.h"
#include "platform/modal.h"
#include "platform/text.h"
#include "res/resource.h"
#include "shell/program_icon.h"

void ShowAbout(HWND owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = PickProgramIcon(instance, 32);
    bool shared = false;  // the plain load hands out the system's copy, never destroyed
    if (!icon) {
        icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LUMORA));
        shared = true;
    }
    // The shell's box takes "title#first line".
    char title[256], text[512];
    snprintf(title, sizeof title, "%s#%s", tr(kTextProduct), tr(kTextProductLong));
    snprintf(text, sizeof text, "%s\r\n%s %d", tr(kTextAboutCredits), tr(kTextWordBuild), kBuildNumber);
    modal_enter();
    if (g_bridge.wide && g_bridge.shell_about_w) {
        wchar_t wide_title[512], wide_text[128];
        text_to_wide(title, wide_title, 512);
        text_to_wide(text, wide_text, 128);
        g_bridge.shell_about_w(owner, wide_title, wide_text, icon);
    } else {
        ShellAboutA(owner, title, text, icon);
    }
    modal_leave();
    if (icon && !shared) DestroyIcon(icon);
}
