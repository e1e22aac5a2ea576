// Edit With: installed programs found in the registry are listed once each
// and started on the file; the choice can become the type's edit command.
#include <stdio.h>
#include <string.h>

#include <fstream>
#include <sstream>

#include "platform/text.h"
#include "app/browse_mode.h"
#include "browser/browser.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"

namespace {

const wchar_t kAppPaths[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kAppPathsA[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char kStubName[] = "argument_logger";

std::string windows_path(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

const std::string kStub = windows_path(LUMORA_STUB_PROGRAM);

void set_value(HKEY root, const std::string& key_name, DWORD type, const std::string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, key_name.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, type, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    RegCloseKey(key);
}

std::string read_default(HKEY root, const char* key_name) {
    char text[512] = "";
    LONG size = sizeof text;
    if (RegQueryValueA(root, key_name, text, &size) != ERROR_SUCCESS) return "<none>";
    return text;
}

// The list box's items named `name` (in any letter case).
int items_named(HWND box, const char* name) {
    int n = 0;
    for (int i = 0; i < (int)SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
        char text[260] = "";
        SendMessageA(box, LB_GETTEXT, i, (LPARAM)text);
        n += lstrcmpiA(text, name) == 0;
    }
    return n;
}

struct Chooser {
    std::string prompt;
    int count = 0;       // items named after the stub
    int total = 0;       // items in the list
};

Chooser read_chooser(HWND dialog) {
    Chooser c;
    char text[512] = "";
    GetDlgItemTextA(dialog, IDC_EDIT_WITH_PROMPT, text, sizeof text);
    c.prompt = text;
    HWND box = GetDlgItem(dialog, IDC_EDIT_WITH_PROGRAMS);
    c.count = items_named(box, kStubName);
    c.total = (int)SendMessageA(box, LB_GETCOUNT, 0, 0);
    return c;
}

void choose_stub(HWND dialog, const char* parameters, bool always) {
    HWND box = GetDlgItem(dialog, IDC_EDIT_WITH_PROGRAMS);
    SendMessageA(box, LB_SETCURSEL, SendMessageA(box, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)kStubName), 0);
    SetDlgItemTextA(dialog, IDC_EDIT_WITH_PARAMETERS, parameters);
    CheckDlgButton(dialog, IDC_EDIT_WITH_ALWAYS, always ? BST_CHECKED : BST_UNCHECKED);
}

struct EditWithTest : FolderTest {
    RegistrySnapshot app_paths{HKEY_LOCAL_MACHINE, kAppPaths};
    RegistrySnapshot application{HKEY_CLASSES_ROOT, L"Applications\\argument_logger.exe"};
    std::string log = folder + "stub.log";

    void SetUp() override {
        FolderTest::SetUp();
        SetEnvironmentVariableA("LUMORA_STUB_LOG", log.c_str());
        std::string dir = kStub.substr(0, kStub.rfind('\\'));
        SetEnvironmentVariableA("LUMORA_STUB_DIR", dir.c_str());
    }
    void TearDown() override {
        if (g_frame.BrowseMode) leave_browser();  // the next window starts in the viewer
        FolderTest::TearDown();
    }
    // The stub's command lines once it has written one (the shell starts it
    // and returns at once).
    std::string StubLog() {
        for (int i = 0; i < 400 && GetFileAttributesA(log.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(25);
        Sleep(100);  // the line is written in one call, but the file exists first
        std::ifstream in(log);
        std::stringstream all;
        all << in.rdbuf();
        DeleteFileA(log.c_str());
        return all.str();
    }
};

}  // namespace

// Hundreds of programs ahead of it still leave room for the stub, registered
// quoted and then as an expandable string; it is listed once even when
// Applications names it too, and started with the parameters and the quoted
// file. Without a choice OK asks for one.
TEST_F(EditWithTest, AppPathsProgramIsListedOnceAndStartedOnTheQuotedFile) {
    std::string target = Put("my picture.bmp");
    ASSERT_TRUE(OpenFileInViewer(target.c_str()));
    for (int i = 0; i < 400; ++i) {
        char name[80], value[80];
        snprintf(name, sizeof name, "%s\\filler%03d.exe", kAppPathsA, i);
        snprintf(value, sizeof value, "C:\\nowhere\\filler%03d.exe", i);
        set_value(HKEY_LOCAL_MACHINE, name, REG_SZ, value);
    }
    set_value(HKEY_CLASSES_ROOT, "Applications\\argument_logger.exe\\shell\\open\\command", REG_SZ,
              "\"" + kStub + "\" \"%1\"");
    const struct {
        const char* what;
        DWORD type;
        std::string value;
    } cases[] = {
        {"quoted", REG_SZ, "\"" + kStub + "\""},
        {"expandable", REG_EXPAND_SZ, "%LUMORA_STUB_DIR%\\argument_logger.exe"},
    };
    for (const auto& c : cases) {
        std::string key = std::string(kAppPathsA) + "\\zz-lumora-stub.exe";
        set_value(HKEY_LOCAL_MACHINE, key, c.type, c.value);
        Chooser seen;
        static Chooser* out;
        out = &seen;
        std::vector<SeenDialog> refusals = answer_in_turns(
            window, IDM_EDIT_WITH,
            {[](HWND) {}, [](HWND dialog) { choose_stub(dialog, "/p", false); }},
            [](HWND dialog) { *out = read_chooser(dialog); });
        EXPECT_EQ(seen.prompt, "Choose the program you want to use to Edit the file 'my picture.bmp'.") << c.what;
        EXPECT_GT(seen.total, 400) << c.what;
        EXPECT_EQ(seen.count, 1) << c.what;
        ASSERT_EQ(refusals.size(), 1u) << c.what;
        EXPECT_EQ(refusals[0].text, tr(kTextSelectProgramFirst));
        std::string line = StubLog();
        std::string want = " /p \"" + target + "\"\n";
        ASSERT_GE(line.size(), want.size()) << c.what << ": the stub did not start";
        EXPECT_EQ(line.substr(line.size() - want.size()), want) << c.what << ": " << line;
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    }
}

// "Always use" writes the edit command into the user's own classes, for the
// class the user's classes give the extension; the machine's stay untouched.
TEST_F(EditWithTest, AlwaysUseWritesTheEditCommandPerUser) {
    RegistrySnapshot user_type{HKEY_CURRENT_USER, L"Software\\Classes\\.lumwith"};
    RegistrySnapshot user_class{HKEY_CURRENT_USER, L"Software\\Classes\\LumoraTestWith"};
    RegistrySnapshot machine_class{HKEY_LOCAL_MACHINE, L"Software\\Classes\\LumoraTestWith"};
    set_value(HKEY_CURRENT_USER, "Software\\Classes\\.lumwith", REG_SZ, "LumoraTestWith");
    set_value(HKEY_LOCAL_MACHINE, std::string(kAppPathsA) + "\\zz-lumora-stub.exe", REG_SZ, kStub);
    std::string target = Put("b.lumwith");
    g_settings.ShowAllFiles = 1;  // the folder's list keeps the file of no picture type
    ASSERT_TRUE(OpenFileInViewer(Put("shown.bmp").c_str()));
    enter_browser();
    Command(IDM_VIEW_DETAILS);  // thumbnails are of pictures only
    select_items({"b.lumwith"});
    ASSERT_EQ(browser_selected_count(), 1) << "the file is not listed";
    answer_in_turns(window, IDM_EDIT_WITH, {[](HWND dialog) { choose_stub(dialog, "", true); }});
    std::string line = StubLog();
    EXPECT_NE(line.find("\"" + target + "\"\n"), std::string::npos) << line;
    EXPECT_EQ(read_default(HKEY_CURRENT_USER, "Software\\Classes\\LumoraTestWith\\shell\\edit\\command"),
              "\"" + kStub + "\" \"%1\"");
    EXPECT_EQ(read_default(HKEY_LOCAL_MACHINE, "Software\\Classes\\LumoraTestWith\\shell\\edit\\command"), "<none>");
}
