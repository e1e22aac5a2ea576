// The browser's commands on many files at once: convert the selection to
// PNG, JPEG or BMP, resize it into new "_resized" files, rotate it in place.
// The files are worked on by one thread per processor: each is read and
// written on its own, so they come out as one thread would make them.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "core/batch_work.h"
#include "core/decode_message.h"
#include "core/load_set.h"
#include "core/stb_adapter.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/settings.h"
#include "ui/file_list.h"
#include "ui/frame.h"
#include "ui/resize_dialog.h"
#include "ui/status_bar.h"

namespace {

const int kMaxWorkers = 4;  // each holds a whole picture or two

void tell(const char* text) { show_message(g_frame.window, text, tr(kTextProduct), MB_OK | MB_ICONINFORMATION); }

// The selected files' paths, in list order (folders left out): copied, as
// the workers must not read the list.
std::vector<std::string> selected_paths() {
    std::vector<std::string> paths;
    HWND list = g_browser.list;
    for (int item = list ? ListView_GetNextItem(list, -1, LVNI_SELECTED) : -1; item >= 0;
         item = ListView_GetNextItem(list, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(list, item);
        if (p >= 0 && p < g_file_list.count) paths.push_back(g_file_list.path[p]);
    }
    return paths;
}

// What the workers share: a snapshot of the paths and the request, the next
// file to take, and what became of each.
struct BatchRun {
    std::vector<std::string> paths;
    BatchRequest request;
    std::vector<BatchOutcome> outcomes;
    std::vector<LONG> finished;
    LONG next;
    HANDLE progress;  // set whenever a file is finished
};

DWORD WINAPI batch_worker(void* data) {
    BatchRun& run = *(BatchRun*)data;
    for (;;) {
        const LONG i = InterlockedIncrement(&run.next) - 1;
        if (i >= (LONG)run.paths.size()) return 0;
        run.outcomes[i] = batch_file(run.paths[i].c_str(), run.request);
        InterlockedExchange(&run.finished[i], 1);
        SetEvent(run.progress);
    }
}

int processor_count() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? (int)info.dwNumberOfProcessors : 1;
}

// Runs the workers and waits for them, stepping the progress bar as the
// files finish in order. False when not even one thread could be started.
bool run_workers(BatchRun* run, int workers) {
    run->progress = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!run->progress) return false;
    std::vector<HANDLE> threads;
    for (int k = 0; k < workers; ++k) {
        DWORD id;
        if (HANDLE thread = CreateThread(nullptr, 0, batch_worker, run, 0, &id)) threads.push_back(thread);
    }
    // The window keeps painting meanwhile; the user's input waits for the end.
    size_t stepped = 0;
    while (!threads.empty() && stepped < run->paths.size()) {
        if (MsgWaitForMultipleObjects(1, &run->progress, FALSE, INFINITE, QS_PAINT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
        }
        for (; stepped < run->paths.size() && run->finished[stepped]; ++stepped) StepProgress();
    }
    WaitForMultipleObjects((DWORD)threads.size(), threads.data(), TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    CloseHandle(run->progress);
    return !threads.empty();
}

}  // namespace

std::vector<BatchOutcome> browser_run_batch(const std::vector<std::string>& paths, const BatchRequest& request,
                                            int workers) {
    BatchRun run;
    run.paths = paths;
    run.request = request;
    run.outcomes.assign(paths.size(), kBatchUnreadable);
    run.finished.assign(paths.size(), 0);
    run.next = 0;
    if (workers < 1) workers = processor_count() < kMaxWorkers ? processor_count() : kMaxWorkers;
    if (workers > (int)paths.size()) workers = (int)paths.size();
    if (workers <= 1 || !run_workers(&run, workers)) {
        for (size_t i = 0; i < paths.size(); ++i) {
            run.outcomes[i] = batch_file(paths[i].c_str(), request);
            StepProgress();
        }
        return run.outcomes;
    }
    // Pictures decoded side by side may not all have found the memory
    // they need: what failed in company is tried once more alone.
    for (size_t i = 0; i < paths.size(); ++i)
        if (run.outcomes[i] == kBatchUnreadable || run.outcomes[i] == kBatchNotWritten)
            run.outcomes[i] = batch_file(paths[i].c_str(), request);
    return run.outcomes;
}

namespace {

// The selection's work under the progress bar; the count of each outcome.
struct BatchCounts {
    int done = 0, tried = 0, refused = 0;
};

BatchCounts run_on_selection(const std::vector<std::string>& paths, const BatchRequest& request) {
    ShowProgress(browser_selected_count());
    BatchCounts counts;
    for (BatchOutcome outcome : browser_run_batch(paths, request, 0)) {
        counts.done += outcome == kBatchDone;
        counts.tried += outcome != kBatchUnreadable && outcome != kBatchRefused;
        counts.refused += outcome == kBatchRefused;
    }
    HideProgress();
    return counts;
}

}  // namespace

void browser_convert_selected(int format) {
    if (!g_frame.BrowseMode || !g_browser.list) {
        tell(tr(kTextOpenFolderFirst));
        return;
    }
    BatchRequest request = {kBatchConvert, format, {0, 0, 0}, false, g_settings.JpegQ};
    const BatchCounts counts = run_on_selection(selected_paths(), request);
    if (counts.tried == 0) {
        tell(tr(kTextSelectThumbnailsFirst));
        return;
    }
    const char* extension = format == kSavePng ? "png" : format == kSaveJpeg ? "jpg" : "bmp";
    char text[256];
    snprintf(text, sizeof text, tr(kTextConverted), counts.done, counts.tried, extension);
    tell(text);
}

void browser_resize_selected() {
    if (!g_frame.BrowseMode || !g_browser.list) {
        tell(tr(kTextOpenFolderFirst));
        return;
    }
    const std::vector<std::string> paths = selected_paths();
    if (browser_selected_count() == 0) {
        tell(tr(kTextSelectThumbnailsFirst));
        return;
    }
    int ref_w = 800, ref_h = 600;
    char message[kMessageBytes];
    if (!paths.empty())
        if (Image* first = load_upright_image(paths[0].c_str(), message)) {
            ref_w = first->width;
            ref_h = first->height;
            image_free(first);
        }
    ResizeAnswer answer = {0, 0, 0};
    if (!AskResizeSize(g_frame.window, ref_w, ref_h, &answer)) return;
    BatchRequest request = {kBatchResize, 0, {answer.percent, answer.width, answer.height}, false, g_settings.JpegQ};
    const BatchCounts counts = run_on_selection(paths, request);
    char text[256];
    if (answer.percent >= 1)
        snprintf(text, sizeof text, tr(kTextResizedByPercent), counts.done, counts.tried, answer.percent);
    else snprintf(text, sizeof text, tr(kTextResizedToSize), counts.done, counts.tried, answer.width, answer.height);
    tell(text);
}

void browser_rotate_selected(bool clockwise) {
    if (!g_frame.BrowseMode) return;
    const std::vector<std::string> paths = selected_paths();
    if (paths.empty()) {
        tell(tr(kTextSelectImagesFirst));
        return;
    }
    BatchRequest request = {kBatchRotate, 0, {0, 0, 0}, clockwise, g_settings.JpegQ};
    const BatchCounts counts = run_on_selection(paths, request);
    if (g_file_list.folder[0]) {
        rescan_file_list();  // new write times: the thumbnails are made again
        refresh_browser();
        frame_relayout();
    }
    // Formats Lumora does not write are passed over without a word unless
    // nothing else was selected; any other file left as it was is reported.
    const int total = (int)paths.size();
    if (counts.done + counts.refused < total) {
        char text[256];
        snprintf(text, sizeof text, tr(kTextRotated), counts.done, total);
        tell(text);
    } else if (counts.done == 0) {
        tell(tr(kTextReadOnlyFormats));
    }
}
