#include <windows.h>

#include "platform/bridge.h"
#include "platform/text.h"
#include "print/print.h"
#include "print/print_dialog.h"
#include "print/print_layout_pure.h"
#include "print/print_state.h"
#include "ui/frame.h"

void PrintCommand(int initial_layout, const PrintSource& source) {
    if (source.paths.empty()) {
        show_message(g_frame.window, tr(kTextNoImagesToPrint), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
        return;
    }
    g_print.layout = initial_layout >= 0 && initial_layout < kLayoutCount ? initial_layout : 0;
    g_print.previewPage = 0;
    if (RunPrintDialog(g_frame.window, g_frame.instance, source)) RunPrintJob(g_frame.window, source);
}
