// The folder list's bookkeeping without the file system: which names it
// takes, how it grows, how it sorts. The scan itself is in file_list.cpp.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "ui/file_list.h"

#include <string>

// Case-insensitive comparison of two paths; the program passes the system's
// locale-aware one.
typedef int (*PathCompare)(const char* a, const char* b);
// The sort key of a text: keys compare byte by byte in the order the
// comparison above gives the texts. The program passes the system's
// locale-aware sort key, made once per entry instead of once per comparison.
typedef void (*SortKeyMaker)(const char* text, std::string* key);

// Whether the scan lists a directory entry. folder_length: of the folder the
// name would be joined to.
bool file_list_accepts(const char* name, bool directory, bool hidden, bool show_all, bool show_hidden,
                       size_t folder_length);
// Appends folder + name; grows the arrays to 64 and then twice the capacity.
// False when memory ran out (the list keeps what it had).
bool file_list_append(FileList* list, const char* folder, const char* name, uint32_t size, uint64_t modified);
// Frees the entries' paths; count, current and totalSize go to 0. The arrays stay.
void file_list_clear(FileList* list);
// Frees everything and empties the folder.
void file_list_release(FileList* list);
// The text after the last '.' of the path, or "" when there is none or the
// last backslash stands after it: the sort-by-type key.
const char* file_type_key(const char* path);
// Sorts by key (0 name, 1 size, 2 type, 3 date), ties by path, the whole order
// reversed when descending; current stays on its file. Lists of one entry
// are left alone.
void file_list_sort(FileList* list, int key, bool ascending, SortKeyMaker make_key);
// Index of the entry equal to path ignoring case, or -1. Only entries of the
// same length are compared: the folder scan's names are exact.
int file_list_find(const FileList* list, const char* path, PathCompare compare);
// Whether an entry is a picture the loader takes (by its extension).
bool file_list_is_image(const FileList* list, int index);
