// The one command table in both modes: what each mode's menu offers that is
// not built yet, and the guard that keeps commands and hand-overs away while
// a job owns the folder list.
#include <set>

#include "app/browse_mode.h"
#include "app/commands.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "ui/work.h"

namespace {

void menu_commands(HMENU menu, std::set<int>* ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) menu_commands(sub, ids);
        else if (int id = (int)GetMenuItemID(menu, i); id > 0) ids->insert(id);
    }
}

// The shown menu's commands that have no handler in the shown mode; each
// must be gray and do nothing when sent anyway.
std::set<int> offered_without_work(HWND window) {
    std::set<int> ids, missing;
    menu_commands(GetMenu(window), &ids);
    UpdateMenuState();
    for (int id : ids) {
        const CommandRow* row = FindCommand(id);
        if (!row || (g_frame.BrowseMode ? row->browser : row->viewer)) continue;
        missing.insert(id);
        EXPECT_TRUE(GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_GRAYED) << id << " is offered enabled";
        SendMessageA(window, WM_COMMAND, id, 0);
    }
    return missing;
}

}  // namespace

// No command is offered in either mode without work behind it.
TEST_F(FolderTest, EachModeOffersOnlyWhatIsBuiltEnabled) {
    ASSERT_TRUE(OpenFileInViewer(Put("a.bmp").c_str()));
    EXPECT_EQ(offered_without_work(window), std::set<int>());
    enter_browser();
    EXPECT_EQ(offered_without_work(window), std::set<int>());
}

// While a job owns the folder list, a command sent from elsewhere and a
// handed-over path wait for the job's end.
TEST_F(FolderTest, WhileAJobOwnsTheListCommandsAndHandOversWait) {
    std::string a = Put("a.bmp"), c = Put("c.bmp");
    Put("b.bmp");
    ASSERT_TRUE(OpenFileInViewer(a.c_str()));
    COPYDATASTRUCT data = {1, (DWORD)c.size() + 1, (void*)c.c_str()};
    const struct {
        const char* what;
        std::function<void()> arrive;
        const char* before_end;
        const char* after_end;
    } cases[] = {
        {"Next", [&] { Command(IDM_GO_NEXT); }, "a.bmp", "b.bmp"},
        {"a hand-over", [&] { SendMessageA(window, WM_COPYDATA, 0, (LPARAM)&data); }, "b.bmp", "c.bmp"},
    };
    for (const auto& k : cases) {
        list_job_begin();
        k.arrive();
        pump_messages();
        EXPECT_EQ(std::string(g_viewer.current_path), folder + k.before_end) << k.what << " ran under the job";
        list_job_end();
        pump_messages();
        EXPECT_EQ(std::string(g_viewer.current_path), folder + k.after_end) << k.what << " once the job is done";
    }
}
