// The browser's status bar and title texts, without the window: what the
// counts and sizes of a selection or a folder read as.
#pragma once
#include <stddef.h>
#include <stdint.h>

// The size as the status bar shows it: "%lu bytes" (bytes_format) below
// 1024, "%lu.%luKB" with tenths below 1 MB, "%lu.%02luMB" with hundredths
// above; every step truncates.
void format_status_size(char* out, size_t size, uint64_t bytes, const char* bytes_format);

// The facts behind the status texts.
struct BrowserCounts {
    int selected;           // selected items (folders count)
    uint64_t selected_bytes;
    int images;             // image files of the list
    uint64_t image_bytes;
    int folders, files;     // items of an icon view
    uint64_t total_bytes;   // the folder list's total size
    bool thumbnails;        // the Thumbnails view
    bool show_all_files;
};
// The localized formats and the plural suffix the texts are made of.
struct BrowserStatusWords {
    const char* objects_selected;  // "%d object%s selected"
    const char* objects;           // "%d object%s"
    const char* objects_and_images; // "%d object%s (%d image%s)"
    const char* bytes;             // "%lu bytes"
    const char* plural;            // "s"
};
// Status parts 0 (count) and 1 (size).
void format_browser_status(const BrowserCounts& counts, const BrowserStatusWords& words, char* count_text,
                           size_t count_size, char* size_text, size_t size_size);

// "folder - Image Explorer", the folder without its trailing backslash unless
// it is a drive root of 3 characters or fewer; the word alone without a folder.
void format_browser_title(char* out, size_t size, const char* folder, const char* word);

// The last component of a folder path ending in a backslash, without that
// backslash; a drive root keeps its backslash and is returned whole.
void folder_display_name(char* out, size_t size, const char* folder);

// The parent of a folder ending in a backslash ("C:\Photos\" -> "C:\");
// false at a drive root, which has none.
bool parent_folder(const char* folder, char* out, size_t size);
