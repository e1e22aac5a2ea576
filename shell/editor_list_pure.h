// The text rules of the Edit With chooser that need no registry: the name a
// program is listed by, the program a registered command starts, and the
// command line the chosen program gets.
#pragma once
#include <stddef.h>

// How many programs the chooser lists. The Windows and system folders alone
// hold hundreds of programs on current systems; a few hundred entries would
// be full before the installed editors (App Paths, Applications) are read.
const int kEditorLimit = 4096;

// The listed name: the part after the last backslash (the whole path without
// one), cut at its last dot. May come out empty.
void editor_display_name(const char* path, char* out, size_t size);
// The program at the front of a command text: leading blanks skipped; a
// quoted start gives what lies between the quotes, else the text up to the
// first blank. Empty when nothing is there.
void command_program(const char* command, char* out, size_t size);
// An App Paths value is a whole path that may hold blanks, sometimes written
// in quotes: the quotes and surrounding blanks go, the blanks inside stay.
void app_path_program(const char* value, char* out, size_t size);
// The chosen program's parameters: the optional ones, a blank and the quoted
// target; only the quoted target when there are none. False when it would not
// fit size.
bool edit_with_parameters(const char* optional, const char* target, char* out, size_t size);
