#include "viewer/read_ahead.h"

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/bridge.h"
#include "ui/file_list.h"
#include "ui/frame.h"
#include "ui/work.h"
#include "shell/settings.h"
#include "viewer/navigation.h"
#include "viewer/view.h"
#include "viewer/view_geometry_pure.h"

namespace {

// The folder list as a read-ahead was made for it, and the way of travel.
struct ListKey {
    char folder[260];
    uint32_t scan_count;
    int32_t count, sort_key, sort_ascending;
    int step;
};

// One read-ahead decode. The worker reads only its snapshot and writes only
// its result; two owners (the interface's s_job and the worker's posted
// task) release it, the last one frees it.
struct Job {
    char path[260];
    uint64_t size, time;  // the file's stamp, read before the decode
    ListKey key;
    HWND window;
    // The view the picture will open in: its size and the zoom it opens at.
    int view_w, view_h;
    ZoomState zoom;
    ImageSet set;
    HBITMAP scaled;  // the first frame as the view's cache holds it; none
    int scaled_w, scaled_h;
    ImageSet retired;  // a closed document's frames, the worker frees them first
    LoadSetResult result;
    char message[kMessageBytes];
    volatile LONG owners;
};

Job* s_job;              // the picture held ahead (or being decoded); none
HANDLE s_thread;         // the last worker started; at most one runs at once
bool s_busy;             // that worker has not posted its result yet
// What the next start is for; a start task of an older generation is stale.
uint32_t s_generation;
bool s_start_waiting;    // a start found the worker busy: it starts when the worker posts
int s_wanted_index;
int s_wanted_view_w, s_wanted_view_h;
int s_served;  // pictures read ahead that were shown
ImageSet s_retired;  // frames for the next worker to free
ListKey s_wanted_key;

ListKey key_now(int step) {
    const FileList& list = g_file_list;
    ListKey key = {};
    lstrcpynA(key.folder, list.folder, sizeof key.folder);
    key.scan_count = list.scan_count;
    key.count = list.count;
    key.sort_key = list.SortKey;
    key.sort_ascending = list.SortAscending;
    key.step = step;
    return key;
}

bool same_key(const ListKey& a, const ListKey& b) {
    return lstrcmpiA(a.folder, b.folder) == 0 && a.scan_count == b.scan_count && a.count == b.count &&
           a.sort_key == b.sort_key && a.sort_ascending == b.sort_ascending && a.step == b.step;
}

void release(Job* job) {
    if (InterlockedDecrement(&job->owners) != 0) return;
    if (job->scaled) DeleteObject(job->scaled);
    image_set_free(&job->set);
    free(job);
}

void start_now();

// The worker's result is in: on the interface thread.
void decoded(void* data) {
    s_busy = false;
    release((Job*)data);
    if (s_start_waiting) {
        s_start_waiting = false;
        start_now();
    }
}

DWORD WINAPI decode_ahead(void* param) {
    Job* job = (Job*)param;
    image_set_free(&job->retired);
    job->result = load_image_set(job->path, &job->set, job->message);
    // The first paint's stretch too, which for a photo costs as much again.
    if (job->result == kLoadSetOk && job->set.frames[0]) {
        const Image* first = job->set.frames[0];
        DisplaySizeFor(job->zoom, job->view_w, job->view_h, first->width, first->height, &job->scaled_w,
                       &job->scaled_h);
        job->scaled = PrerenderScaledPicture(first, job->scaled_w, job->scaled_h);
    }
    if (!post_to_interface(job->window, decoded, job)) release(job);  // the window is gone
    return 0;
}

void free_retired() { image_set_free(&s_retired); }

void forget_job() {
    if (s_job) release(s_job);
    s_job = nullptr;
}

// Starts the decode asked for last, when the list is still the one it was
// asked for; one worker at a time, so at most one picture is held ahead.
void start_now() {
    if (s_busy) {
        s_start_waiting = true;
        return;
    }
    const FileList& list = g_file_list;
    const int i = s_wanted_index;
    if (i < 0 || i >= list.count || !same_key(s_wanted_key, key_now(s_wanted_key.step)) ||
        (s_job && lstrcmpiA(s_job->path, list.path[i]) == 0 && same_key(s_job->key, s_wanted_key))) {
        free_retired();
        return;
    }
    forget_job();
    if (s_thread) {
        WaitForSingleObject(s_thread, INFINITE);  // it has posted its result: a moment at most
        CloseHandle(s_thread);
        s_thread = nullptr;
    }
    Job* job = (Job*)calloc(1, sizeof(Job));
    if (!job) {  // memory is short: no read-ahead
        free_retired();
        return;
    }
    lstrcpynA(job->path, list.path[i], sizeof job->path);
    job->key = s_wanted_key;
    job->window = g_frame.window;
    job->view_w = s_wanted_view_w;
    job->view_h = s_wanted_view_h;
    job->zoom = ZoomState{g_settings.DefaultFit, 1.0, 0, 0};  // as a new document opens
    job->owners = 2;
    HANDLE thread = file_stamp(job->path, &job->size, &job->time)
                        ? CreateThread(nullptr, 0, decode_ahead, job, CREATE_SUSPENDED, nullptr)
                        : nullptr;
    if (!thread) {
        free(job);
        free_retired();
        return;
    }
    job->retired = s_retired;
    s_retired = ImageSet{};
    // The shown picture's painting and the user's input come first.
    SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
    s_job = job;
    s_thread = thread;
    s_busy = true;
    ResumeThread(thread);
}

void start_task(void* generation) {
    if ((uint32_t)(uintptr_t)generation == s_generation) start_now();
}

}  // namespace

void ReadAheadFrom(int shown, int step) {
    const int next = NextImageIndex(shown, step);
    ++s_generation;
    s_start_waiting = false;
    if (next < 0) {
        forget_job();
        free_retired();
        return;
    }
    s_wanted_index = next;
    s_wanted_key = key_now(step);
    const RECT view = GetViewRect();
    s_wanted_view_w = view.right - view.left;
    s_wanted_view_h = view.bottom - view.top;
    // Posted: it starts once the command that showed the picture is done.
    if (!post_to_interface(g_frame.window, start_task, (void*)(uintptr_t)s_generation)) {
        forget_job();
        free_retired();
    }
}

bool TakeReadAhead(const char* path, int step, ReadAheadPicture* picture) {
    Job* job = s_job;
    if (!job || lstrcmpiA(job->path, path) != 0 || !same_key(job->key, key_now(step))) return false;
    s_job = nullptr;
    // Still being decoded: waiting costs less than decoding it again.
    if (s_busy) WaitForSingleObject(s_thread, INFINITE);
    uint64_t now_size = 0, now_time = 0;
    const bool usable = job->result == kLoadSetOk && file_stamp(path, &now_size, &now_time) &&
                        now_size == job->size && now_time == job->time;
    if (usable) {
        *picture = ReadAheadPicture{job->set, job->size, job->time, job->scaled, job->scaled_w, job->scaled_h};
        job->set = ImageSet{};
        job->scaled = nullptr;
        ++s_served;
    }
    release(job);
    return usable;
}

void RetireFrames(const ImageSet& frames) {
    free_retired();  // one set waits at most
    s_retired = frames;
}

void DropReadAhead() {
    ++s_generation;
    s_start_waiting = false;
    forget_job();
    free_retired();
    if (s_thread) {
        WaitForSingleObject(s_thread, INFINITE);
        CloseHandle(s_thread);
        s_thread = nullptr;
    }
    s_busy = false;
}

void WaitForReadAhead(char* path, int path_bytes) {
    // The start is a posted task; the result another.
    for (int round = 0; round < 2; ++round) {
        run_posted_tasks(g_frame.window);
        if (s_busy) WaitForSingleObject(s_thread, INFINITE);
        run_posted_tasks(g_frame.window);
    }
    const bool held = s_job && s_job->result == kLoadSetOk;
    if (path && path_bytes > 0) lstrcpynA(path, held ? s_job->path : "", path_bytes);
}

int ReadAheadServed() { return s_served; }
