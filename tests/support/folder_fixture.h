// A main window beside a folder of the test's own in the temporary folder,
// the files put there, and the browser list's items as the control holds them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "browser/browser_state.h"
#include "core/stb_adapter.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/registry_snapshot.h"
#include "tests/support/scratch.h"

struct FolderTest : MainWindowTest {
    std::string folder = temp_folder("lumora-test");  // ends in a backslash
    void TearDown() override {
        MainWindowTest::TearDown();
        remove_tree(folder);
    }
    // A file under any name, a 2 x 2 bitmap unless the bytes are given; its path.
    std::string Put(const std::wstring& name, const std::vector<uint8_t>& bytes = bmp_filled(BmpLayout(), 7)) {
        EXPECT_TRUE(write_file_wide(std::wstring(folder.begin(), folder.end()) + name, bytes)) << folder;
        return folder + std::string(name.begin(), name.end());
    }
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes = bmp_filled(BmpLayout(), 7)) {
        return Put(std::wstring(name.begin(), name.end()), bytes);
    }
    // A w x h bitmap in the pattern's colours; its path.
    std::string Picture(const std::string& name, int w, int h) {
        Image* picture = make_picture(w, h, pattern_colour);
        EXPECT_TRUE(save_image((folder + name).c_str(), picture, kSaveBmp, 0));
        image_free(picture);
        return folder + name;
    }
};

// Files of a type of the test's own (.lumedit) whose "edit" verb runs
// `command`, in the machine's classes where Wine's shell reads verbs.
struct EditVerb {
    RegistrySnapshot type{HKEY_CLASSES_ROOT, L".lumedit"}, verbs{HKEY_CLASSES_ROOT, L"LumoraTestEdit"};
    explicit EditVerb(const std::string& command) {
        EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".lumedit", REG_SZ, "LumoraTestEdit", 0), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, "LumoraTestEdit\\shell\\edit\\command", REG_SZ, command.c_str(), 0),
                  ERROR_SUCCESS);
    }
};

inline int list_count() { return (int)SendMessageA(g_browser.list, LVM_GETITEMCOUNT, 0, 0); }

struct ListItem {
    std::string text;
    int image;
    LPARAM param;
};

// Item k's text in a column (0: the name); with the name, its image and parameter.
inline ListItem list_item(int k, int column = 0) {
    char text[260] = "";
    LVITEMA it = {};
    it.mask = LVIF_TEXT | (column ? 0 : LVIF_IMAGE | LVIF_PARAM);
    it.iItem = k;
    it.iSubItem = column;
    it.pszText = text;
    it.cchTextMax = sizeof text;
    SendMessageA(g_browser.list, LVM_GETITEMA, 0, (LPARAM)&it);
    return {text, it.iImage, it.lParam};
}

// Exactly the items named selected in the browser list.
inline void select_items(const std::vector<std::string>& names) {
    ListView_SetItemState(g_browser.list, -1, 0, LVIS_SELECTED);
    for (int k = 0; k < list_count(); ++k)
        for (const std::string& name : names)
            if (list_item(k).text == name) ListView_SetItemState(g_browser.list, k, LVIS_SELECTED, LVIS_SELECTED);
    pump_messages();
}
