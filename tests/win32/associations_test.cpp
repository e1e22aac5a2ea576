// File associations under Wine: the Set File Associations dialog answered as
// a user would, then the classes read back from the registry. The user's
// classes and the machine's extension keys the rows touch are put back after
// each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "shell/associations.h"
#include "shell/setup_switches.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/registry_snapshot.h"

namespace {

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// A string value, or "<none>" when it is missing.
std::string read_string(HKEY root, const std::string& path, const char* name = nullptr) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<none>";
    char value[512] = "";
    DWORD size = sizeof value;
    LONG r = RegQueryValueExA(key, name, nullptr, nullptr, (BYTE*)value, &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? value : "<none>";
}

void write_string(HKEY root, const std::string& path, const char* name, const char* value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)value, (DWORD)strlen(value) + 1);
    RegCloseKey(key);
}

bool same_tree(const RegistryTreeCopy& a, const RegistryTreeCopy& b) {
    if (a.existed != b.existed || a.values.size() != b.values.size() || a.children.size() != b.children.size())
        return false;
    for (size_t i = 0; i < a.values.size(); ++i)
        if (a.values[i].name != b.values[i].name || a.values[i].type != b.values[i].type ||
            a.values[i].data != b.values[i].data)
            return false;
    for (size_t i = 0; i < a.children.size(); ++i)
        if (lstrcmpiW(a.children[i].first.c_str(), b.children[i].first.c_str()) != 0 ||
            !same_tree(a.children[i].second, b.children[i].second))
            return false;
    return true;
}

// The check boxes as the dialog opened, and the changes to make before OK.
std::map<int, bool> g_opened_checked;
std::map<int, bool> g_set;
void note_and_set(HWND dialog) {
    g_opened_checked.clear();
    for (const AssociationRow& row : kAssociationRows)
        g_opened_checked[row.check_id] = IsDlgButtonChecked(dialog, row.check_id) == BST_CHECKED;
    for (const auto& [id, on] : g_set) CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
void select_all(HWND dialog) {
    note_and_set(dialog);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ASSOC_SELECT_ALL, BN_CLICKED), 0);
}

struct AssociationsTest : ::testing::Test {
    // Everything the rows may write: the key of every extension and class,
    // the user's and the machine's. (The user's classes key itself stays: the
    // program keeps it open.)
    std::vector<std::unique_ptr<RegistrySnapshot>> kept;
    void keep(const std::string& name) {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            kept.push_back(std::make_unique<RegistrySnapshot>(root, L"Software\\Classes\\" + wide(name)));
    }
    void SetUp() override {
        for (const AssociationRow& row : kAssociationRows) {
            keep(row.prog_id);
            char extension[64];
            for (const char* next = row.extensions; (next = next_extension(next, extension, sizeof extension));)
                keep(extension);
        }
        g_set.clear();
    }
    void TearDown() override {
        stop_answering();
        while (!kept.empty()) kept.pop_back();  // in reverse
    }
    std::string user(const std::string& path, const char* name = nullptr) {
        return read_string(HKEY_CURRENT_USER, "Software\\Classes\\" + path, name);
    }
};

}  // namespace

TEST_F(AssociationsTest, InstallerChecksEverydayTypesAndTheRegistryFollowsTheBoxes) {
    // .png has an owner, .bmp belongs to the paint program machine-wide.
    write_string(HKEY_CURRENT_USER, "Software\\Classes\\.png", nullptr, "OtherViewer.png");
    write_string(HKEY_LOCAL_MACHINE, "Software\\Classes\\.bmp", nullptr, "Paint.Picture");
    answer_next_dialog(IDOK, note_and_set);
    RunSetupSwitch(kSwitchFileAssoc);
    stop_answering();
    ASSERT_EQ(last_dialog().title, "Set File Associations");
    for (const AssociationRow& row : kAssociationRows)
        EXPECT_EQ(g_opened_checked[row.check_id], row.icon <= 5) << row.prog_id;

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string exe = std::string(windows) + (windows[strlen(windows) - 1] == '\\' ? "" : "\\") + "lumora.exe";
    EXPECT_EQ(user(".png"), "WinLumora.png");
    EXPECT_EQ(user(".png", "WinLumoraBackup"), "OtherViewer.png");
    EXPECT_EQ(user(".bmp", "WinLumoraBackup"), "Paint.Picture");
    EXPECT_EQ(user(".gif", "WinLumoraBackup"), "") << "no owner: an empty backup says so";
    EXPECT_EQ(user(".jpe"), "WinLumora.jpg");
    EXPECT_EQ(user("WinLumora.png"), "PNG Image");
    EXPECT_EQ(user("WinLumora.png\\shell\\open\\command"), "\"" + exe + "\" \"%1\"");
    EXPECT_EQ(user("WinLumora.tif\\DefaultIcon"), exe + ",5");
    EXPECT_EQ(user(".tga"), "<none>");
    EXPECT_TRUE(IsAssociated(".PNG", "winlumora.PNG")) << "read through the classes root, any case";

    // Opened again from Options: the boxes say what the registry says, and
    // taking PNG again keeps the first backup.
    g_set = {{IDC_ASSOC_TARGA, true}};
    answer_next_dialog(IDOK, note_and_set);
    EXPECT_EQ(RunAssociationsDialog(nullptr, false), 1);
    stop_answering();
    for (const AssociationRow& row : kAssociationRows)
        EXPECT_EQ(g_opened_checked[row.check_id], row.icon <= 5) << row.prog_id;
    EXPECT_EQ(user(".png", "WinLumoraBackup"), "OtherViewer.png");
    EXPECT_EQ(user(".tga"), "WinLumora.tga");
    EXPECT_EQ(user("WinLumora.tga\\DefaultIcon").substr(user("WinLumora.tga\\DefaultIcon").size() - 2), ",7");

    // Unchecked: the owner back, the paint program back even without its
    // backup, no class at all where there was none; a type taken by another
    // program meanwhile is left alone; Cancel changes nothing.
    HKEY dib;  // its backup lost
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Classes\\.dib", 0, KEY_SET_VALUE, &dib), ERROR_SUCCESS);
    RegDeleteValueA(dib, "WinLumoraBackup");
    RegCloseKey(dib);
    write_string(HKEY_CURRENT_USER, "Software\\Classes\\.jpeg", nullptr, "Another.jpeg");
    g_set = {{IDC_ASSOC_PNG, false}, {IDC_ASSOC_BMP, false}, {IDC_ASSOC_GIF, false}, {IDC_ASSOC_JPEG, false}};
    answer_next_dialog(IDCANCEL, note_and_set);
    EXPECT_EQ(RunAssociationsDialog(nullptr, false), 0);
    EXPECT_EQ(user(".png"), "WinLumora.png");
    answer_next_dialog(IDOK, note_and_set);
    RunAssociationsDialog(nullptr, false);
    stop_answering();
    EXPECT_EQ(user(".png"), "OtherViewer.png");
    EXPECT_EQ(user(".png", "WinLumoraBackup"), "<none>");
    EXPECT_EQ(user(".bmp"), "<none>") << "the machine's class shows through again";
    EXPECT_EQ(user(".dib"), "Paint.Picture") << "the row's class when the backup is lost";
    EXPECT_FALSE(IsAssociated(".bmp", "WinLumora.bmp"));
    EXPECT_EQ(user(".gif"), "<none>");
    EXPECT_EQ(user(".jpg"), "<none>");
    EXPECT_EQ(user(".jpeg"), "Another.jpeg");
    EXPECT_EQ(user("WinLumora.png"), "PNG Image") << "the class itself stays";
}

// Associating everything and uninstalling leaves the registry as it was,
// the settings key and the installer's keys aside, which go.
TEST_F(AssociationsTest, FullRoundLeavesTheRegistryAsItWas) {
    RegistrySnapshot settings{HKEY_CURRENT_USER, L"Software\\Harnwick\\Lumora"};
    write_string(HKEY_CURRENT_USER, "Software\\Harnwick\\Lumora", "Marker", "1");
    write_string(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\lumora.exe", nullptr, "x");
    write_string(HKEY_CURRENT_USER, "Software\\Classes\\.png", nullptr, "OtherViewer.png");
    write_string(HKEY_CURRENT_USER, "Software\\Classes\\.pcx", "Content Type", "image/x-pcx");
    write_string(HKEY_LOCAL_MACHINE, "Software\\Classes\\.bmp", nullptr, "Paint.Picture");
    RegistryTreeCopy user_before, bmp_before;
    registry_copy_tree(HKEY_CURRENT_USER, L"Software\\Classes", &user_before);
    registry_copy_tree(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.bmp", &bmp_before);

    answer_next_dialog(IDOK, select_all);
    RunSetupSwitch(kSwitchFileAssoc);
    stop_answering();
    EXPECT_EQ(user(".pcd"), "WinLumora.pcd");
    EXPECT_EQ(user(".pcx", "Content Type"), "image/x-pcx");

    RunSetupSwitch(kSwitchUnassoc);
    RegistryTreeCopy user_after, bmp_after;
    registry_copy_tree(HKEY_CURRENT_USER, L"Software\\Classes", &user_after);
    registry_copy_tree(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.bmp", &bmp_after);
    EXPECT_TRUE(same_tree(user_before, user_after)) << "the user's classes";
    EXPECT_TRUE(same_tree(bmp_before, bmp_after)) << "the machine's .bmp";
    EXPECT_EQ(read_string(HKEY_CURRENT_USER, "Software\\Harnwick\\Lumora", "Marker"), "<none>");
    EXPECT_EQ(read_string(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\lumora.exe"),
              "<none>");
}
