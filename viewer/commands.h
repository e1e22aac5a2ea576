// The command table: every WM_COMMAND id of the menus, accelerators,
// toolbars and context menus, and the handler that owns it.
#pragma once

typedef void (*CommandHandler)(int id);

struct CommandRow {
    int first, last;         // a range of ids
    const char* owner;       // who handles it, for readers and tests
    CommandHandler viewer;   // null: does nothing (yet)
    CommandHandler browser;  // used instead while browser mode is on, when present
};

extern const CommandRow kCommandTable[];
extern const int kCommandTableSize;

// The row of an id, or none when the id is not a command.
const CommandRow* FindCommand(int id);
// Recent lists first, then the table; false when nothing handled the id.
bool DispatchCommand(int id);
