#include "viewer/navigation.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "platform/bridge.h"
#include "res/resource.h"
#include "shell/settings.h"
#include "viewer/document.h"
#include "viewer/edit_commands.h"
#include "viewer/read_ahead.h"
#include "viewer/viewer_state.h"
#include "ui/frame.h"

namespace {

int s_travel = +1;  // the direction of the last step

}  // namespace

GoResult GoToIndex(int index) {
    const FileList& list = g_file_list;
    int n = list.count;
    if (n == 0 || index < 0 || index >= n) return kGoNowhere;
    if (g_settings.ShowAllFiles && !file_list_is_image(&list, index)) {
        int found = -1;
        for (int i = index; i < n && found < 0; ++i)
            if (file_list_is_image(&list, i)) found = i;
        for (int i = index - 1; i >= 0 && found < 0; --i)
            if (file_list_is_image(&list, i)) found = i;
        if (found < 0) return kGoNowhere;
        index = found;
    }
    if (!ConfirmDiscard()) return kGoDeclined;
    char path[kPathBytes];
    snprintf(path, sizeof path, "%s", list.path[index]);
    if (!LoadDocument(path, s_travel)) return kGoFailed;  // the list position stays: Next tries the same neighbour again
    g_file_list.current = index;
    frame_relayout();
    ReadAheadFrom(index, s_travel);
    return kGoShown;
}

int NextImageIndex(int from, int step) {
    const FileList& list = g_file_list;
    int n = list.count;
    if (n < 2) return -1;
    int p = from;
    int accepted = -1;
    for (int tries = 0; tries < n; ++tries) {
        p += step;
        while (p < 0) p += n;
        p %= n;
        if (!g_settings.ShowAllFiles || file_list_is_image(&list, p)) {
            accepted = p;
            break;
        }
    }
    return accepted == from ? -1 : accepted;
}

GoResult StepImage(int step) {
    s_travel = step < 0 ? -1 : +1;
    int next = NextImageIndex(g_file_list.current, step);
    return next < 0 ? kGoNowhere : GoToIndex(next);
}

void OnStepCommand(int id) {
    switch (id) {
    case IDM_GO_PREVIOUS: StepImage(-1); break;
    case IDM_GO_NEXT: StepImage(+1); break;
    case IDM_GO_FIRST: GoToIndex(0); break;
    case IDM_GO_LAST: GoToIndex(g_file_list.count - 1); break;
    }
}
