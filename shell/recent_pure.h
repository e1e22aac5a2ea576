// The recent files and folders as lists in memory: the most recent first, at
// most eight, the same path (any letter case) only once. No Windows here.
#pragma once
#include <stddef.h>

const int kRecentMax = 8;
const int kRecentPathSize = 260;  // a path of up to 259 characters and its zero

struct RecentList {
    char entry[kRecentMax][kRecentPathSize];
    int count;
};

// Moves the path (cut at 259 characters) to the front: an entry equal to it
// but for letter case goes, a full list drops its oldest. False (and no
// change) for a null or empty path.
bool recent_add(RecentList* list, const char* path);
// Appends a path read from a stored value, cut at 259 characters; an empty
// one or one past the eighth is skipped.
void recent_append(RecentList* list, const char* path);
// The menu text of entry i: "&1 name" for files (the part after the last
// backslash), "&1 C:\folder" for folders (a trailing backslash dropped past
// three characters, so a drive root keeps its own).
void recent_menu_text(const RecentList& list, int i, bool folders, char* out, size_t size);
// A recent folder as tested for existence: without its trailing backslash
// when longer than three characters.
void recent_folder_probe(const char* entry, char* out, size_t size);
