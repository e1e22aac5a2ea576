// The files of the current folder, shared by the viewer's stepping and the
// browser's list. Three parallel arrays in one order.
#pragma once
#include <stdint.h>

struct FileList {
    char folder[260];     // ends in a backslash; "" when there is no folder
    char** path;          // full paths, 260-byte heap strings owned by the list
    uint32_t* size;       // low 32 bits of each file's size
    uint64_t* modified;   // last-write time, UTC, as the file system reports it
    int32_t count;
    int32_t capacity;
    int32_t current;      // the file the viewer shows; 0 when none matches
    uint32_t totalSize;   // wraps past 4 GB
    bool collected;       // gathered for a slide show, not the folder's contents
    int32_t SortKey;       // 0 name, 1 size, 2 type, 3 date modified; in memory only
    int32_t SortAscending = 1;  // 1 ascending (the start), 0 descending
    uint32_t scan_count;   // counts the scans: what was read of a file before may be stale
};

// The one list of the program, owned by the browser; the viewer steps
// through it.
extern FileList g_file_list;

// Rebuilds the list for the folder part of path (a file, or a folder ending
// in a backslash or "*"), sorted, with `current` on the file path names.
void scan_folder(const char* path);
void sort_file_list();
// The folder read again, `current` staying on its file when it is still there.
void rescan_file_list();
// Frees the list (at shutdown).
void free_file_list();
