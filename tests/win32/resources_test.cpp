// The program's own resources, loaded from this test executable (it links
// res/lumora.rc too), held against the command table and against each other:
// menus, accelerators, the key names that menus and tooltips show, the icon
// groups and the toolbar strips.
#include <gtest/gtest.h>
#include <windows.h>

#include <ctype.h>
#include <stdlib.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/text.h"
#include "res/resource.h"
#include "app/commands.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

struct MenuItem {
    UINT id;
    HMENU parent;
    int position;
    std::string text;
    UINT state;
};

void Walk(HMENU menu, std::vector<MenuItem>* out) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) Walk(sub, out);
        else if (!(state & MF_SEPARATOR)) out->push_back({GetMenuItemID(menu, i), menu, i, text, state});
    }
}

struct Menu {
    HMENU handle;
    std::vector<MenuItem> items;
    explicit Menu(int id) : handle(LoadMenuA(Instance(), MAKEINTRESOURCEA(id))) {
        if (handle) Walk(handle, &items);
    }
    ~Menu() { DestroyMenu(handle); }
    const MenuItem* Find(UINT id) const {
        for (const MenuItem& item : items)
            if (item.id == id) return &item;
        return nullptr;
    }
};

std::vector<ACCEL> Accelerators() {
    std::vector<ACCEL> entries;
    HACCEL table = LoadAcceleratorsA(Instance(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (!table) return entries;
    entries.resize(CopyAcceleratorTableA(table, nullptr, 0));
    CopyAcceleratorTableA(table, entries.data(), (int)entries.size());
    DestroyAcceleratorTable(table);
    return entries;
}

struct Key {
    BYTE mods;  // FCONTROL, FSHIFT
    WORD vk;
};

// The keys a name as menus and tooltips write it stands for ("Ctrl+Shift+O",
// "F4", "PgUp", "+"); none for a name this does not know. A typed sign is
// both the key that types it on this keyboard and, for + and -, the keypad's.
std::vector<Key> KeysNamed(std::string name) {
    BYTE mods = 0;
    if (name.size() > 5 && name.compare(0, 5, "Ctrl+") == 0) mods |= FCONTROL, name.erase(0, 5);
    if (name.size() > 6 && name.compare(0, 6, "Shift+") == 0) mods |= FSHIFT, name.erase(0, 6);
    const struct { const char* name; WORD vk; } named[] = {
        {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Home", VK_HOME},  {"End", VK_END},         {"PgUp", VK_PRIOR},
        {"PgDn", VK_NEXT}, {"Del", VK_DELETE},  {"Space", VK_SPACE}, {"Backspace", VK_BACK}};
    for (auto k : named)
        if (name == k.name) return {{mods, k.vk}};
    if (name.size() == 1 && isalnum((unsigned char)name[0])) return {{mods, (WORD)toupper(name[0])}};
    if (name.size() > 1 && name[0] == 'F' && atoi(&name[1]) >= 1) return {{mods, (WORD)(VK_F1 + atoi(&name[1]) - 1)}};
    if (name.size() != 1) return {};
    std::vector<Key> keys;
    SHORT typed = VkKeyScanA(name[0]);
    if (typed != -1) keys.push_back({(BYTE)(mods | ((typed & 0x100) ? FSHIFT : 0)), (WORD)(typed & 0xFF)});
    if (name == "+") keys.push_back({mods, VK_ADD});
    if (name == "-") keys.push_back({mods, VK_SUBTRACT});
    return keys;
}

WORD CommandOfKey(const std::vector<ACCEL>& table, Key key) {
    for (const ACCEL& a : table)
        if (a.key == key.vk && (a.fVirt & (FCONTROL | FSHIFT | FALT)) == key.mods) return a.cmd;
    return 0;
}

void ExpectKeysSend(const std::vector<ACCEL>& table, const std::string& name, UINT command) {
    std::vector<Key> keys = KeysNamed(name);
    EXPECT_FALSE(keys.empty()) << "unknown key name \"" << name << "\"";
    for (Key key : keys)
        EXPECT_EQ(CommandOfKey(table, key), command)
            << "\"" << name << "\" (key " << key.vk << ", mods " << (int)key.mods << ") should send " << command;
}

std::vector<std::vector<UINT>> RadioGroups() {
    std::vector<std::vector<UINT>> groups;
    for (int i = 0; i < kCommandTableSize; ++i) {
        if (!IsRadioRule(kCommandTable[i].check)) continue;
        if (i == 0 || kCommandTable[i - 1].check != kCommandTable[i].check) groups.emplace_back();
        groups.back().push_back(kCommandTable[i].id);
    }
    return groups;
}

}  // namespace

TEST(Resources, CommandTableIsInIdOrderWithEachRadioGroupTogether) {
    std::set<int> radio_rules;
    for (int i = 0; i < kCommandTableSize; ++i) {
        const CommandRow& row = kCommandTable[i];
        EXPECT_TRUE(row.id >= IDM_FIRST && row.id <= IDM_LAST) << row.id << " is outside the command ids";
        EXPECT_TRUE(i == 0 || kCommandTable[i - 1].id < row.id) << row.id << " is out of id order or twice";
        if (!IsRadioRule(row.check)) continue;
        // The menu marks a group by its run of rows; the values are the
        // settings' 0, 1, 2... in item order.
        if (i > 0 && kCommandTable[i - 1].check == row.check) {
            EXPECT_EQ(row.value, kCommandTable[i - 1].value + 1) << row.id;
        } else {
            EXPECT_TRUE(radio_rules.insert(row.check).second) << "the radio group of " << row.id << " is split";
            EXPECT_EQ(row.value, 0) << row.id;
        }
    }
}

TEST(Resources, MenusHoldTableCommandsOnceWithRadioGroupsAdjacent) {
    std::vector<std::vector<UINT>> groups = RadioGroups();
    for (int resource : {IDR_VIEWER_MENU, IDR_BROWSER_MENU}) {
        SCOPED_TRACE(testing::Message() << "menu " << resource);
        Menu menu(resource);
        ASSERT_NE(menu.handle, nullptr);
        std::set<UINT> seen;
        for (const MenuItem& item : menu.items) {
            EXPECT_TRUE(seen.insert(item.id).second) << item.text << " (" << item.id << ") appears twice";
            bool placeholder = item.id == IDM_RECENT_FILE_FIRST || item.id == IDM_RECENT_FOLDER_FIRST;
            EXPECT_TRUE(placeholder || FindCommand(item.id)) << item.text << " (" << item.id << ") has no row";
        }
        // CheckMenuRadioItem marks a range of neighbours in one submenu.
        for (const std::vector<UINT>& group : groups) {
            const MenuItem* first = menu.Find(group[0]);
            if (!first && group[0] != IDM_THUMB_SMALL) continue;  // Thumbnail Size is in both menus
            ASSERT_NE(first, nullptr) << "radio group of " << group[0] << " is missing";
            for (size_t k = 1; k < group.size(); ++k) {
                const MenuItem* item = menu.Find(group[k]);
                ASSERT_NE(item, nullptr) << group[k] << " is missing from the group of " << group[0];
                EXPECT_TRUE(item->parent == first->parent && item->position == first->position + (int)k)
                    << group[k] << " is not item " << k << " after " << group[0] << " in its submenu";
            }
        }
        // The recent lists find their submenus by these grayed placeholders
        // in the first menu.
        HMENU first_menu = GetSubMenu(menu.handle, 0);
        std::vector<UINT> placeholders = {IDM_RECENT_FOLDER_FIRST};
        if (resource == IDR_VIEWER_MENU) placeholders.push_back(IDM_RECENT_FILE_FIRST);
        for (UINT id : placeholders) {
            const MenuItem* found = menu.Find(id);
            bool in_submenu = false;
            for (int k = 0; found && k < GetMenuItemCount(first_menu); ++k)
                in_submenu |= GetSubMenu(first_menu, k) == found->parent;
            EXPECT_TRUE(in_submenu && (found->state & MF_GRAYED))
                << "placeholder " << id << " should be a grayed item of a submenu of the first menu";
        }
    }
}

TEST(Resources, KeysSendTableCommandsAndTheirNamesAreRight) {
    std::vector<ACCEL> table = Accelerators();
    ASSERT_FALSE(table.empty());
    std::set<std::pair<int, int>> keys;
    for (const ACCEL& a : table) {
        SCOPED_TRACE(testing::Message() << "key " << a.key << ", mods " << (int)a.fVirt);
        EXPECT_TRUE((a.fVirt & FVIRTKEY) && !(a.fVirt & FALT)) << "a virtual key without Alt";
        EXPECT_NE(FindCommand(a.cmd), nullptr) << "command " << a.cmd << " has no row";
        EXPECT_TRUE(keys.insert({a.fVirt & (FCONTROL | FSHIFT), a.key}).second) << "the key is in the table twice";
    }
    // A menu item names its key after a tab, and only items with a key do.
    // The browser's Undo names Ctrl+Z, which sends Undo. Open's Enter is the
    // list's own key, no accelerator.
    for (int resource : {IDR_VIEWER_MENU, IDR_BROWSER_MENU}) {
        Menu menu(resource);
        for (const MenuItem& item : menu.items) {
            SCOPED_TRACE(item.text);
            UINT command = item.id == IDM_EDIT_UNDO_FILE_OPERATION ? IDM_EDIT_UNDO : item.id;
            size_t tab = item.text.find('\t');
            if (item.id == IDM_FILE_OPEN_SELECTED) continue;
            if (tab != std::string::npos) {
                ExpectKeysSend(table, item.text.substr(tab + 1), command);
            } else {
                for (const ACCEL& a : table) EXPECT_NE(a.cmd, command) << "the item does not name its key " << a.key;
            }
        }
    }
    // Tooltips name the key in parentheses at their end.
    for (int i = 0; i < kCommandTableSize; ++i) {
        if (kCommandTable[i].tooltip == kTextNone) continue;
        std::string tip = tr(kCommandTable[i].tooltip);
        size_t open = tip.rfind(" (");
        if (open == std::string::npos || tip.back() != ')') continue;
        SCOPED_TRACE(tip);
        ExpectKeysSend(table, tip.substr(open + 2, tip.size() - open - 3), kCommandTable[i].id);
    }
}

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const BYTE* ResourceBytes(int id, LPCSTR type, DWORD* size) {
    HRSRC found = FindResourceA(Instance(), MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
    *size = found ? SizeofResource(Instance(), found) : 0;
    return loaded ? (const BYTE*)LockResource(loaded) : nullptr;
}

int MaskWidth(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return -1;
    BITMAP mask = {};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return mask.bmWidth;
}

BOOL CALLBACK CollectIconGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
    ((std::vector<int>*)param)->push_back(IS_INTRESOURCE(name) ? (int)(ULONG_PTR)name : -1);
    return TRUE;
}

}  // namespace

TEST(Resources, IconGroupsKeepTheirOrderAndEveryEntryLoads) {
    // "lumora.exe,N" in a DefaultIcon value is the N-th group: the program
    // icon, then the type icons by id, with nothing between them.
    std::vector<int> groups, want = {IDI_LUMORA};
    EnumResourceNamesA(Instance(), (LPCSTR)RT_GROUP_ICON, CollectIconGroup, (LONG_PTR)&groups);
    for (int id = IDI_TYPE_BMP; id <= IDI_TYPE_WEBP; ++id) want.push_back(id);
    ASSERT_EQ(groups, want);
    for (int id : groups)
        for (int size : {16, 32}) {
            HICON icon = (HICON)LoadImageA(Instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0);
            EXPECT_EQ(MaskWidth(icon), size) << "icon " << id << " at " << size << " pixels";
            if (icon) DestroyIcon(icon);
        }

    // The icon picker chooses among the program icon's entries by the
    // directory's size and depth, and may create any of them.
    DWORD size = 0;
    const BYTE* group = ResourceBytes(IDI_LUMORA, (LPCSTR)RT_GROUP_ICON, &size);
    int count = group && size >= 6 ? *(const WORD*)(group + 4) : 0;  // after reserved and type
    ASSERT_TRUE(count > 0 && size >= 6 + count * sizeof(GroupIconEntry));
    std::set<int> depths[2];  // of the 16 and the 32 pixel entries
    const GroupIconEntry* entries = (const GroupIconEntry*)(group + 6);
    for (const GroupIconEntry* e = entries; e < entries + count; ++e) {
        int side = e->width ? e->width : 256;
        SCOPED_TRACE(testing::Message() << side << " pixels, " << e->bit_count << " bits");
        if ((side == 16 || side == 32) && e->height == side) depths[side / 32].insert(e->bit_count);
        DWORD bytes = 0;
        const BYTE* image = ResourceBytes(e->id, (LPCSTR)RT_ICON, &bytes);
        ASSERT_TRUE(image && bytes >= sizeof(BITMAPINFOHEADER));
        const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)image;
        EXPECT_TRUE(header->biWidth == side && header->biBitCount == e->bit_count) << "the directory misstates it";
        HICON icon = CreateIconFromResourceEx((PBYTE)image, bytes, TRUE, 0x00030000, side, side, 0);
        EXPECT_EQ(MaskWidth(icon), side);
        if (icon) DestroyIcon(icon);
    }
    EXPECT_TRUE(depths[0].size() >= 2 && depths[1].size() >= 2)
        << depths[0].size() << " depths at 16 pixels, " << depths[1].size() << " at 32";
}

namespace {

// An 8-bit resource bitmap: its colour table and its pixels, top row first.
struct RawStrip {
    int width = 0, height = 0;
    std::vector<RGBQUAD> palette;
    std::vector<BYTE> index;
};

bool ReadRawStrip(int id, RawStrip* out) {
    DWORD size = 0;
    const BYTE* bytes = ResourceBytes(id, (LPCSTR)RT_BITMAP, &size);
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return false;
    const BITMAPINFOHEADER* h = (const BITMAPINFOHEADER*)bytes;
    if (h->biSize != sizeof *h || h->biBitCount != 8 || h->biCompression != BI_RGB || h->biHeight <= 0) return false;
    int colours = h->biClrUsed ? (int)h->biClrUsed : 256;
    size_t stride = ((size_t)h->biWidth + 3) & ~(size_t)3;
    if (colours > 256 || size < h->biSize + colours * sizeof(RGBQUAD) + stride * h->biHeight) return false;
    const RGBQUAD* palette = (const RGBQUAD*)(bytes + h->biSize);
    out->palette.assign(palette, palette + colours);
    out->width = h->biWidth;
    out->height = h->biHeight;
    const BYTE* rows = (const BYTE*)(palette + colours);
    for (int y = out->height - 1; y >= 0; --y)
        out->index.insert(out->index.end(), rows + stride * y, rows + stride * y + out->width);
    return true;
}

bool IsGray(const RGBQUAD& q, BYTE level) { return q.rgbRed == level && q.rgbGreen == level && q.rgbBlue == level; }

}  // namespace

TEST(Resources, ToolbarStripsFitTheirCellsAndKeepArtOffTheMappedColours) {
    const struct { int id, cell, count; } strips[] = {
        {IDB_VIEWER_TOOLBAR_LARGE, 24, IMG_VIEWER_COUNT},
        {IDB_VIEWER_TOOLBAR_SMALL, 16, IMG_VIEWER_COUNT},
        {IDB_BROWSER_TOOLBAR_LARGE, 24, IMG_BROWSER_COUNT},
        {IDB_BROWSER_TOOLBAR_SMALL, 16, IMG_BROWSER_COUNT},
    };
    for (const auto& s : strips) {
        SCOPED_TRACE(testing::Message() << "strip " << s.id);
        RawStrip raw;
        ASSERT_TRUE(ReadRawStrip(s.id, &raw)) << "an 8-bit bitmap with a colour table";
        EXPECT_EQ(raw.width, s.cell * s.count);
        ASSERT_EQ(raw.height, s.cell);
        // Gray 192 becomes the button face; the loaders map these other
        // grays to system colours too, so the art must not use them.
        int face = -1, faces = 0;
        for (size_t i = 0; i < raw.palette.size(); ++i) {
            if (IsGray(raw.palette[i], 192)) face = (int)i, ++faces;
            for (BYTE level : {0, 128, 223, 255}) EXPECT_FALSE(IsGray(raw.palette[i], level)) << "entry " << i;
        }
        ASSERT_EQ(faces, 1) << "one background colour";
        std::vector<std::vector<BYTE>> cells;
        for (int c = 0; c < s.count && raw.width == s.cell * s.count; ++c) {
            std::vector<BYTE> cell;
            for (int y = 0; y < s.cell; ++y)
                for (int x = 0; x < s.cell; ++x) cell.push_back(raw.index[y * raw.width + c * s.cell + x]);
            size_t background = std::count(cell.begin(), cell.end(), (BYTE)face);
            EXPECT_TRUE(background > 0 && background < cell.size() * 3 / 4) << "cell " << c << " is full or empty";
            for (size_t other = 0; other < cells.size(); ++other)
                EXPECT_TRUE(cells[other] != cell) << "cells " << other << " and " << c << " are the same";
            cells.push_back(cell);
        }
    }
}
