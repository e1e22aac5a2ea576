// The texts and icon numbers of the list view's file items, without the
// system: sizes in whole kilobytes, type names, the own icons' type numbers.
#pragma once
#include <stddef.h>
#include <stdint.h>

// "%lu KB" with bytes / 1024 rounded down, except that 1 to 1023 bytes show 1.
void format_kb(char* out, size_t size, uint32_t bytes);

// The localized type name of a picture file ("JPEG Image"); for any other
// file its extension upper-cased (at most 8 characters) and the word "File",
// or the word alone when the name has no extension.
void type_name_of(char* out, size_t size, const char* path);

// Entry of the own icon lists for a file: 1 to 14 by its extension, 0 for
// any other file.
int icon_type_of(const char* path);
