// The command table: one row for every WM_COMMAND id of the menus,
// accelerators, toolbars and context menus, with its handlers, the rules of
// its enabled and checked state, its toolbar images and its tooltip. The
// menu, the toolbars and the context menus all take their state from it.
#pragma once
#include "platform/text.h"
#include "app/command_rules_pure.h"

typedef void (*CommandHandler)(int id);

const int kNoImage = -1;

struct CommandRow {
    int id;
    CommandHandler viewer;   // null: does nothing (yet)
    CommandHandler browser;  // used instead while browsing, when present
    EnableRule enabled;
    CheckRule check;
    int check_value;         // the value of a radio rule that marks this item
    int viewer_image;        // IMG_VIEWER_* of the viewer toolbar, or kNoImage
    int browser_image;       // IMG_BROWSER_* of the browser toolbar, or kNoImage
    TextId tooltip;          // kTextNone: no tooltip
};

extern const CommandRow kCommandTable[];
extern const int kCommandTableSize;

// The row of an id, or none when the id is not a command.
const CommandRow* FindCommand(int id);
// Recent lists first, then the table; false when nothing handled the id.
bool DispatchCommand(int id);

// The facts the rules look at, read from the window and the settings.
WindowFacts CurrentWindowFacts();
// Whether a command is enabled now; false for an id without a row.
bool IsCommandEnabled(int id, const WindowFacts& facts);
// Enables and marks every item of the attached menu by its row.
void UpdateMenuState();
