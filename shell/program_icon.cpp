#include "shell/program_icon.h"

#include <stdlib.h>

#include "core/byte_reader.h"
#include "res/resource.h"
#include "shell/program_icon_pure.h"

int ShellIconDepth() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop\\WindowMetrics", 0, KEY_QUERY_VALUE, &key) != 0)
        return 0;
    char text[16] = "";
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    LONG result = RegQueryValueExA(key, "Shell Icon BPP", nullptr, &type, (BYTE*)text, &size);
    RegCloseKey(key);
    if (result != 0) return 0;
    text[sizeof text - 1] = 0;
    return atoi(text);
}

HICON LoadProgramIcon(HINSTANCE instance, int depth, int size) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDI_LUMORA), (LPCSTR)RT_GROUP_ICON);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const uint8_t* group = loaded ? (const uint8_t*)LockResource(loaded) : nullptr;
    if (!group) return nullptr;
    // The group directory: reserved, type, count, then 14-byte entries.
    ByteReader r = reader_make(group, SizeofResource(instance, found));
    reader_skip(&r, 4);
    int count = reader_u16le(&r);
    int best_id = -1, best_score = 0;
    for (int i = 0; i < count; ++i) {
        int width = reader_u8(&r);
        reader_skip(&r, 5);  // height, colours, reserved, planes
        int entry_bits = reader_u16le(&r);
        reader_skip(&r, 4);  // bytes in resource
        int id = reader_u16le(&r);
        if (r.failed) break;
        int score = IconEntryScore(width, entry_bits, size, depth);
        if (best_id < 0 || score > best_score) {
            best_id = id;
            best_score = score;
        }
    }
    if (best_id < 0) return nullptr;
    HRSRC icon_res = FindResourceA(instance, MAKEINTRESOURCEA(best_id), (LPCSTR)RT_ICON);
    HGLOBAL icon_data = icon_res ? LoadResource(instance, icon_res) : nullptr;
    BYTE* bytes = icon_data ? (BYTE*)LockResource(icon_data) : nullptr;
    return bytes ? CreateIconFromResourceEx(bytes, SizeofResource(instance, icon_res), TRUE, 0x00030000, size, size,
                                            LR_DEFAULTCOLOR)
                 : nullptr;
}

HICON PickProgramIcon(HINSTANCE instance, int size) {
    int depth = ShellIconDepth();
    HICON icon = depth > 0 ? LoadProgramIcon(instance, depth, size) : nullptr;
    if (!icon) icon = (HICON)LoadImageA(instance, MAKEINTRESOURCEA(IDI_LUMORA), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    return icon;
}
