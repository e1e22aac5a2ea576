// The Thumbnails view: one square picture per image file, from the disk
// cache when it still fits, else decoded and rendered (and cached).
//
// Decoding is the slow part, so files the cache cannot serve are decoded on
// worker threads, one per processor up to kMaxWorkers, ahead of the
// interface thread, which still renders, caches and inserts every item
// itself in list order. The result is item for item, file for file and pixel
// for pixel what a fill on one thread makes: a worker's decode that memory
// was too short for is made again in its turn on the interface thread, as
// the one thread would have made it. thumbnails_use_one_thread gives that
// fill for comparison. The workers get a snapshot of the files and the edge,
// hand their results back as posted tasks, and while they run the fill owns
// the folder list (ui/work.h).
#include <windows.h>
#include <commctrl.h>

#include <stdlib.h>
#include <string.h>

#include <vector>

#include "browser/browser_state.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "browser/thumb_cache.h"
#include "browser/thumb_cache_pure.h"
#include "core/decode_message.h"
#include "core/load_set.h"
#include "platform/text.h"
#include "shell/settings.h"
#include "core/formats.h"
#include "browser/browser.h"
#include "ui/frame.h"
#include "ui/status_bar.h"
#include "ui/work.h"

namespace {

const int kProgressFrom = 8;         // fills that render fewer pictures show no progress bar
const DWORD kProgressPaintMs = 100;  // the bar is painted at most this often
// Each worker holds a decoded picture, 36 MB for a 12-megapixel photo, and
// the process has 2 GB of addresses: more workers than this would have
// decodes fail for memory on a machine of many processors.
const int kMaxWorkers = 4;

bool s_one_thread;
volatile LONG s_decodes;
int s_test_processors;    // 0: the system's count
int s_test_fail_picture;  // 0: worker decodes allocate as usual
int s_workers;            // started by the last fill

// Entry i of the folder list as its cache file knows it, at the fill's edge.
ThumbKey key_of(int i, int edge) {
    const FileList& list = g_file_list;
    return ThumbKey{list.path[i], list.modified[i], list.size[i], edge};
}

PictureSource s_picture_source;  // the viewer's picture of a file, when it is what the file holds

const Image* viewer_picture_of(int i) {
    const FileList& list = g_file_list;
    return s_picture_source ? s_picture_source(list.path[i], list.size[i], list.modified[i]) : nullptr;
}

// A file that does not load just gets no picture. A picture only needs its
// larger side as long as the edge, so a large photo decodes smaller where
// its format can. short_of_memory (when given) tells a decode that memory
// was too short for, which may succeed with more room, from a file that
// cannot: the decoders say so in the message.
Image* decode(const char* path, int edge, bool* short_of_memory = nullptr) {
    InterlockedIncrement(&s_decodes);
    char message[kMessageBytes];
    Image* image = load_upright_image_reduced(path, edge, message);
    if (short_of_memory) *short_of_memory = strcmp(message, kMsgNoMemory) == 0;
    return image;
}

// Renders entry i from `decoded` (taken over), else from the viewer's
// picture or a decode of its own, and caches the result.
HBITMAP render_entry(int i, int edge, HDC screen, Image* decoded) {
    const ThumbKey key = key_of(i, edge);
    const Image* image = decoded;
    if (!image) image = viewer_picture_of(i);
    if (!image) image = decoded = decode(key.path, edge);
    if (!image) return nullptr;
    HBITMAP bitmap = render_thumbnail(image, edge, screen);
    image_free(decoded);
    if (bitmap) store_cached_thumbnail(key, bitmap, screen);
    return bitmap;
}

// Adds entry i's item at the next position, with its picture when it has one.
void insert_item(HWND list, int* position, int i, HBITMAP bitmap) {
    int image = -1;
    if (bitmap) {
        image = ImageList_Add(g_browser.thumbnails, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    list_insert_item(list, (*position)++, file_name_part(g_file_list.path[i]), image, i);
}

// The progress bar of a fill: it counts the entries left from the first
// render on, when there are enough of them; cache hits before it count nothing.
struct Progress {
    bool started, shown;
    DWORD painted;
    // Before a render, with the entries left (this one included).
    void rendering(int left) {
        if (started) return;
        started = true;
        shown = left >= kProgressFrom;
        painted = GetTickCount();
        if (shown) ShowProgress(left);
    }
    void step() {
        if (!shown) return;
        StepProgress();
        // The fill holds the message loop: paint the bar now, but not so
        // often that painting costs more than the steps.
        if (GetTickCount() - painted < kProgressPaintMs) return;
        painted = GetTickCount();
        RedrawWindow(g_frame.status_bar, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void stop() {
        if (shown) HideProgress();
    }
};

// Entry i's picture as a fill on one thread gets it: the cache, else a
// render of its own (n - i entries are left).
HBITMAP cached_or_rendered(int i, int n, int edge, HDC screen, Progress& progress) {
    if (HBITMAP bitmap = load_cached_thumbnail(key_of(i, edge), screen)) return bitmap;
    progress.rendering(n - i);
    return render_entry(i, edge, screen, nullptr);
}

void fill_on_one_thread(HWND list, int n, int edge, HDC screen) {
    Progress progress = {};
    int position = 0;
    for (int i = 0; i < n; ++i) {
        if (!file_list_is_image(&g_file_list, i)) continue;
        HBITMAP bitmap = cached_or_rendered(i, n, edge, screen, progress);
        insert_item(list, &position, i, bitmap);
        progress.step();
    }
    progress.stop();
}

// How one entry of a fill with workers gets its picture.
enum EntryWay : uint8_t {
    kNoItem,    // not an image file
    kByWorker,  // a worker reads its cache file, else decodes it when it may
    kInTurn,    // looked up and rendered in its turn, on this thread
};

struct Entry {
    EntryWay way;
    bool may_decode;        // false: the viewer's picture serves
    CachedRows cached;      // the cache file's rows, when it fits
    Image* decoded;         // else the decoded picture
    bool short_of_memory;   // else whether the decode found memory short
    bool done;              // set on the interface thread, by the worker's task
};

// What a worker knows of one file: a copy, not the folder list.
struct FileShot {
    char path[260];
    uint64_t modified;
    uint32_t size;
};

// The worker jobs, taken in list order, with the snapshot they work from.
// `room` holds back workers that would run more than a few decoded pictures
// ahead of the interface thread, so that few big pictures wait in memory at
// once; a cache read gives its room back at once.
struct Jobs {
    std::vector<int> entry;     // entry index of each job
    std::vector<FileShot> file;  // per entry index
    std::vector<Entry>* entries;
    int edge;
    HWND window;    // where the results go
    volatile LONG next;
    HANDLE room;    // semaphore
    HANDLE posted;  // auto-reset: a result was posted
    int fail_picture;  // test hook: see thumbnails_test_workers
};

void mark_done(void* entry) { ((Entry*)entry)->done = true; }

DWORD WINAPI fill_worker(void* param) {
    Jobs& jobs = *(Jobs*)param;
    for (;;) {
        WaitForSingleObject(jobs.room, INFINITE);
        LONG job = InterlockedIncrement(&jobs.next) - 1;
        if (job >= (LONG)jobs.entry.size()) {
            ReleaseSemaphore(jobs.room, 1, nullptr);  // let the other workers see the end too
            return 0;
        }
        int i = jobs.entry[job];
        Entry& e = (*jobs.entries)[i];
        const FileShot& f = jobs.file[i];
        e.cached = read_cached_thumbnail(ThumbKey{f.path, f.modified, f.size, jobs.edge});
        if (!e.cached.rows && e.may_decode) {
            image_fail_allocations_from(jobs.fail_picture);
            e.decoded = decode(f.path, jobs.edge, &e.short_of_memory);
            if (e.short_of_memory) {
                image_free(e.decoded);  // a photo it could not turn
                e.decoded = nullptr;
            }
        }
        if (!e.decoded) ReleaseSemaphore(jobs.room, 1, nullptr);
        // The entry is the interface thread's again from the task on.
        post_to_interface(jobs.window, mark_done, &e);
        SetEvent(jobs.posted);
    }
}

int processor_count() {
    if (s_test_processors > 0) return s_test_processors;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? (int)info.dwNumberOfProcessors : 1;
}

// Sorts the entries into ways and takes the workers' snapshot. Entries whose
// cache file an earlier entry shares (names differing only in case) are done
// in turn: the earlier one may rewrite that file before their turn, as on one thread.
void plan_entries(std::vector<Entry>& entries, Jobs& jobs) {
    std::vector<uint32_t> seen;
    jobs.file.resize(entries.size());
    for (int i = 0; i < (int)entries.size(); ++i) {
        Entry& e = entries[i];
        if (!file_list_is_image(&g_file_list, i)) continue;
        uint32_t hash = thumb_path_hash(g_file_list.path[i]);
        bool shared = false;
        for (uint32_t h : seen) shared = shared || h == hash;
        seen.push_back(hash);
        e.way = shared ? kInTurn : kByWorker;
        e.may_decode = !viewer_picture_of(i);
        if (shared) continue;
        jobs.entry.push_back(i);
        FileShot& f = jobs.file[i];
        lstrcpynA(f.path, g_file_list.path[i], sizeof f.path);
        f.modified = g_file_list.modified[i];
        f.size = g_file_list.size[i];
    }
}

// Until the worker's result for e has come back as its task.
void wait_for(const Entry& e, const Jobs& jobs) {
    while (!e.done) {
        // Sent messages (a second start's hand-over) are answered meanwhile;
        // the list's guard makes them wait for the fill.
        MsgWaitForMultipleObjects(1, &jobs.posted, FALSE, INFINITE, QS_SENDMESSAGE);
        run_posted_tasks(jobs.window);
    }
}

void fill_with_workers(HWND list, int n, int edge, HDC screen) {
    std::vector<Entry> entries(n);
    Jobs jobs = {};
    jobs.entries = &entries;
    jobs.edge = edge;
    jobs.window = g_frame.window;
    jobs.fail_picture = s_test_fail_picture;
    ensure_thumb_cache_folder();  // worked out here, before the workers read it
    plan_entries(entries, jobs);

    int workers = processor_count();
    if (workers > kMaxWorkers) workers = kMaxWorkers;
    if (workers > (int)jobs.entry.size()) workers = (int)jobs.entry.size();
    std::vector<HANDLE> threads;
    jobs.room = CreateSemaphoreA(nullptr, workers + 1, workers + 1, nullptr);
    jobs.posted = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    list_job_begin();
    for (int t = 0; t < workers && jobs.window && jobs.room && jobs.posted; ++t)
        if (HANDLE thread = CreateThread(nullptr, 0, fill_worker, &jobs, 0, nullptr)) threads.push_back(thread);
    // Without a worker every job is done in turn here.
    const bool working = !threads.empty();
    s_workers = (int)threads.size();

    Progress progress = {};
    int position = 0;
    for (int i = 0; i < n; ++i) {
        Entry& e = entries[i];
        if (e.way == kNoItem) continue;
        HBITMAP bitmap = nullptr;
        if (e.way == kByWorker && working) {
            wait_for(e, jobs);
            if (e.cached.rows) {
                bitmap = cached_thumbnail_bitmap(e.cached, screen);
            } else {
                if (e.decoded) ReleaseSemaphore(jobs.room, 1, nullptr);
                progress.rendering(n - i);
                // A decode memory was short for is made again here, with only
                // the pictures decoded ahead competing for it.
                bool render = e.decoded || !e.may_decode || e.short_of_memory;
                bitmap = render ? render_entry(i, edge, screen, e.decoded) : nullptr;
            }
        } else {
            bitmap = cached_or_rendered(i, n, edge, screen, progress);
        }
        insert_item(list, &position, i, bitmap);
        progress.step();
    }
    for (HANDLE thread : threads) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    run_posted_tasks(jobs.window);  // the last results' tasks point into entries
    list_job_end();
    if (jobs.room) CloseHandle(jobs.room);
    if (jobs.posted) CloseHandle(jobs.posted);
    progress.stop();
}

}  // namespace

HBITMAP render_thumbnail(const Image* image, int edge, HDC screen) {
    // The stretch goes into a section of the picture's own 24-bit format:
    // GDI then picks the kept rows straight from the picture, where a
    // screen-format target can have it convert the whole picture first
    // (hundreds of times slower for a photo). The pixels are the same.
    BITMAPINFO info = thumb_bitmap_info(edge);
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, edge, edge);
    if (!canvas || !memory || !bitmap) {
        if (canvas) DeleteObject(canvas);
        if (memory) DeleteDC(memory);
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    HGDIOBJ previous = SelectObject(memory, canvas);
    RECT square = {0, 0, edge, edge};
    FillRect(memory, &square, GetSysColorBrush(COLOR_WINDOW));
    ThumbPlacement at = thumb_placement(image->width, image->height, edge);
    BitmapInfoHeader header;
    image_fill_bitmap_header(image, &header);
    SetStretchBltMode(memory, COLORONCOLOR);
    SetBrushOrgEx(memory, 0, 0, nullptr);
    StretchDIBits(memory, at.left, at.top, at.width, at.height, 0, 0, image->width, image->height, image->pixels,
                  (const BITMAPINFO*)&header, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    SelectObject(memory, previous);
    DeleteDC(memory);
    SetDIBits(screen, bitmap, 0, edge, bits, &info, DIB_RGB_COLORS);
    DeleteObject(canvas);
    return bitmap;
}

void fill_thumbnail_view() {
    HWND list = list_window_for_mode(0);
    if (!list) return;
    BrowserState& b = g_browser;
    SetWindowTextA(g_frame.window, tr(kTextGeneratingThumbnails));
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (b.thumbnails) ImageList_Destroy(b.thumbnails);
    const int edge = g_settings.ThumbSize;
    int n = g_file_list.count < kMaxThumbnailItems ? g_file_list.count : kMaxThumbnailItems;
    b.thumbnails = ImageList_Create(edge, edge, ILC_COLOR24, n ? n : 1, 16);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, (LPARAM)b.thumbnails);
    SendMessageA(list, LVM_SETITEMCOUNT, n, 0);
    SendMessageA(list, LVM_SETICONSPACING, 0, MAKELONG(edge + 32, edge + 40));

    HDC screen = GetDC(nullptr);
    b.Populating = true;
    bool shown = list_hold_redraw(list);
    if (s_one_thread)
        fill_on_one_thread(list, n, edge, screen);
    else
        fill_with_workers(list, n, edge, screen);
    list_release_redraw(list, shown);
    b.Populating = false;
    ReleaseDC(nullptr, screen);
    finish_fill();
}

void thumbnails_shutdown() {
    if (g_browser.thumbnails) ImageList_Destroy(g_browser.thumbnails);
    g_browser.thumbnails = nullptr;
}

int thumbnails_take_decode_count() { return (int)InterlockedExchange(&s_decodes, 0); }

void thumbnails_use_one_thread(bool one) { s_one_thread = one; }

void thumbnails_test_workers(int processors, int fail_picture) {
    s_test_processors = processors;
    s_test_fail_picture = fail_picture;
}

int thumbnails_worker_count() { return s_workers; }

void browser_set_picture_source(PictureSource source) { s_picture_source = source; }
