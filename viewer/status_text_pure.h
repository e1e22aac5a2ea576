// The texts that describe the shown picture: the viewer's status bar parts,
// the window title and the type name of a file. Portable: the text ids are
// looked up by the caller (or with tr, which is portable too).
#pragma once
#include <stddef.h>
#include <stdint.h>

// Status part 0 for a shown picture: the name, "  (i/n)" when the folder
// list has two or more files (list_index counts from 0), and "  [word i/n]"
// when the file has more than one frame or page.
void FormatStatusName(char* out, size_t size, const char* path, int list_index, int list_count, int frame_index,
                      int frame_count, const char* frame_word);

// Whole kilobytes, rounded up: 1023 bytes make 1, 1025 make 2.
uint64_t KilobytesRoundedUp(uint64_t bytes);
void FormatKilobytes(char* out, size_t size, uint64_t bytes);
void FormatDimensions(char* out, size_t size, int width, int height);
void FormatPercent(char* out, size_t size, int percent);

// The window title for a file: edited_format ("*%s (edited) - %s") when
// edited, else "%s - %s", with the name and the product name; the product
// name alone when no file is open (path null or empty).
void FormatTitle(char* out, size_t size, const char* path, bool edited, const char* edited_format,
                 const char* product);
