// The command table: one row for every WM_COMMAND id of the menus,
// accelerators, toolbars and context menus, with its handler in each mode,
// its enabling rules, its check or radio mark, its toolbar images and its
// tooltip. The menus, both toolbars and both context menus take their state
// from it; a command without a handler in the shown mode is gray there and
// does nothing.
#pragma once
#include "app/command_rules_pure.h"
#include "platform/text.h"

// value: the row's own value (a radio row's view mode, sort key or size).
typedef void (*CommandHandler)(int id, int value);

const int kNoImage = -1;

struct CommandRow {
    int id;
    CommandHandler viewer;   // while the viewer is shown; null: not there (yet)
    CommandHandler browser;  // while browsing; null: not there (yet)
    EnableRule enabled;      // the menu's rule, and everywhere else's by default
    // The browser toolbar's and the list menu's rule where they differ from
    // the menu's (Cut and Copy want a selection there); kSameAsMenu otherwise.
    EnableRule in_panes;
    CheckRule check;
    int value;
    int viewer_image;   // IMG_VIEWER_* of the viewer toolbar, or kNoImage
    int browser_image;  // IMG_BROWSER_* of the browser toolbar, or kNoImage
    TextId tooltip;     // kTextNone: no tooltip
};

extern const CommandRow kCommandTable[];
extern const int kCommandTableSize;

// The row of an id, or none when the id is not a command.
const CommandRow* FindCommand(int id);
// Recent lists first, then the table: the handler of the shown mode.
// False when the id is no command.
bool DispatchCommand(int id);

// The facts the rules look at, read from the window and the settings.
WindowFacts CurrentWindowFacts();
// Whether a command is enabled now: its handler for the shown mode exists
// and its rule holds. False for an id without a row.
bool IsCommandEnabled(int id, const WindowFacts& facts);
// The same in the browser toolbar and the list's menu.
bool IsCommandEnabledInPanes(int id, const WindowFacts& facts);
// Whether a command carries its check or radio mark now.
bool IsCommandChecked(const CommandRow& row, const WindowFacts& facts);
// Enables and marks every item of the attached menu by its row.
void UpdateMenuState();
// Menu, both toolbars and the page box: installed as the frame's hook.
void RefreshCommandStates();
