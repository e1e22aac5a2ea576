// Lumora as the shell's viewer of the types it reads: each row of
// kAssociationRows gets a class with a description, an icon of lumora.exe
// and an open command; the class an extension had before is kept beside it
// and given back on removal. Registry failures are skipped silently.
#pragma once
#include <windows.h>

#include "shell/associations_pure.h"

// Where classes are written: the per-user classes key on NT (created once and
// kept open), the classes root on 9x or when that key cannot be had.
HKEY ClassesRoot();

// The program path the open commands and icons name: the installed one of
// "/fileassoc", else this program's own file.
void SetAssocExePath(const char* path);
const char* AssocExePath();

// The class (ProgID) that owns an extension now, the user's own first; empty
// when it has none.
void ReadExtensionClass(const char* extension, char* out, DWORD size);
bool IsAssociated(const char* extension, const char* prog_id);
void AssociateExtension(const char* extension, const char* exe_path, const char* prog_id, const char* description,
                        int icon);
void Associate(const AssociationRow& row);
void Unassociate(const AssociationRow& row);
// The key and everything below it; stops at the first sub-key that cannot
// be deleted (the key itself then stays).
void DeleteKeyTree(HKEY root, const char* name);
void NotifyAssociationsChanged();
// Makes program the edit command of the target file's type: the key
// "<class>\shell\edit\command" of the class its extension has, written where
// the classes of the associations go. Nothing without an extension or a class.
void RegisterEditCommand(const char* target_path, const char* program_path);

// The Set File Associations dialog, modal; installer mode checks the everyday
// types instead of reading the registry. 1 after OK, 0 after Cancel.
int RunAssociationsDialog(HWND owner, bool installer);
