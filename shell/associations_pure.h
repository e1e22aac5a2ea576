// The file types Lumora can register itself for, and the rules around them
// that need no registry: the setup switches of the command line and the
// walk over an extension list. Native tests reach all of it.
#pragma once
#include <stddef.h>

#include "core/text_ids.h"

// One group of extensions with a class (ProgID) of its own.
struct AssociationRow {
    int check_id;            // its box in the Set File Associations dialog
    const char* prog_id;     // "WinLumora.png"
    TextId description;      // the class's description
    int icon;                // icon group position in lumora.exe: DefaultIcon "lumora.exe,N"
    const char* extensions;  // ".jpg;.jpeg;.jpe"
    const char* fallback;    // class restored when no backup was kept, or none
};

const int kAssociationRowCount = 15;
extern const AssociationRow kAssociationRows[kAssociationRowCount];

// The installer checks the everyday types (icon 5 and below) whatever the
// registry says.
const int kInstallerIconLimit = 5;

// The value under an extension's key that keeps the class it had before.
extern const char kAssocBackupValue[];  // "WinLumoraBackup"

// Copies the extension starting at `list` (up to the next ';' or the end, cut
// to fit `size`) and returns where the next one starts, or null when there
// is none.
const char* next_extension(const char* list, char* out, size_t size);

enum SetupSwitch { kNoSwitch = 0, kSwitchFileAssoc = 1, kSwitchUnassoc = 2 };

// "/fileassoc" or "/unassoc" in any letter case, as a whole argument outside
// quotes, within the first 259 characters: a path that merely contains the
// letters ("C:/x/unassoc.png") is a path. "/fileassoc" wins when both are there.
SetupSwitch FindSetupSwitch(const char* command_line);
