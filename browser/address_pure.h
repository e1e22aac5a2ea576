// The folder tree's and the address bar's text rules, without Windows.
#pragma once
#include <stddef.h>

// The address bar's text for a folder: without its trailing backslash, but
// a drive root of three characters or fewer keeps it ("C:\").
void address_text(const char* folder, char* out, size_t size);
// A typed address as it is looked up: trailing backslashes and blanks go
// while the text is longer than three characters.
void trim_typed_address(char* text);
// The folder prefixes the tree walks from My Computer: each part of the path
// up to and including a backslash ("C:\", "C:\a\", ...). Returns the length
// of the prefix ending at the n-th backslash (from 0), or 0 when there is none.
size_t folder_prefix_length(const char* folder, int n);
