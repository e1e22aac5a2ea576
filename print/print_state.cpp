#include "print/print_state.h"

#include <commdlg.h>

#include "print/print.h"

PrintOptions g_print;

namespace {

void free_blocks(HGLOBAL* a, HGLOBAL* b) {
    if (*a) GlobalFree(*a);
    if (*b) GlobalFree(*b);
    *a = *b = nullptr;
}

}  // namespace

bool EnsureDefaultPrinter() {
    if (g_print.devMode && g_print.devNames) return true;
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_NOSELECTION | PD_NOPAGENUMS;
    if (!PrintDlgA(&dialog)) return false;
    free_blocks(&g_print.devMode, &g_print.devNames);
    g_print.devMode = dialog.hDevMode;
    g_print.devNames = dialog.hDevNames;
    return g_print.devMode && g_print.devNames;
}

HDC CreatePrinterDC(HGLOBAL devMode, HGLOBAL devNames, bool landscape) {
    if (!devMode || !devNames) return nullptr;
    DEVMODEA* mode = (DEVMODEA*)GlobalLock(devMode);
    DEVNAMES* names = (DEVNAMES*)GlobalLock(devNames);
    HDC dc = nullptr;
    if (mode && names) {
        mode->dmFields |= DM_ORIENTATION | DM_COLOR;
        mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        // Grayscale reaches the printer only here: the pictures are not converted.
        mode->dmColor = g_print.grayscale ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
        if (g_print.qualityX > 0) {
            mode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
            mode->dmPrintQuality = (short)g_print.qualityX;
            mode->dmYResolution = (short)g_print.qualityY;
        }
        const char* base = (const char*)names;
        dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    }
    if (mode) GlobalUnlock(devMode);
    if (names) GlobalUnlock(devNames);
    return dc;
}

void PrinterName(char* out, int size) {
    out[0] = 0;
    if (!g_print.devNames) return;
    if (const DEVNAMES* names = (const DEVNAMES*)GlobalLock(g_print.devNames)) {
        lstrcpynA(out, (const char*)names + names->wDeviceOffset, size);
        GlobalUnlock(g_print.devNames);
    }
}

void FreePrintState() { free_blocks(&g_print.devMode, &g_print.devNames); }
