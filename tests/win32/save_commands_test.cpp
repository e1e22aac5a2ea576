// Saving, exporting, deleting and handing to an editor, through the main
// window's commands on files in a folder of the test's own.
#include <stdio.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/support/folder_fixture.h"
#include "tests/support/recycle_bin.h"
#include "tests/support/reference.h"

namespace {

std::string g_typed_name;      // what the save dialog gets typed into its name box
std::string g_suggested_name;  // what it offered there

void type_name(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    if (!box) return;  // a message box
    char text[MAX_PATH] = "";
    GetWindowTextA(box, text, sizeof text);
    g_suggested_name = text;
    if (!g_typed_name.empty()) SetWindowTextA(box, g_typed_name.c_str());
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int count_files(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do n += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
}

struct SaveCommandsTest : FolderTest {
    void SetUp() override {
        FolderTest::SetUp();
        g_typed_name.clear();
    }
    std::string Open(const char* name, int w = 40, int h = 30) {
        std::string path = Picture(name, w, h);
        EXPECT_TRUE(LoadDocument(path.c_str()));
        pump_messages();
        return path;
    }
};

}  // namespace

TEST_F(SaveCommandsTest, SaveAsTakesTheFormatFromTheNameAndClearsTheStar) {
    Open("photo.bmp");
    g_settings.JpegQ = 37;
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    g_typed_name = folder + "photo.jpeg";
    answer_next_dialog(IDOK, type_name);
    Command(IDM_FILE_SAVE_AS);
    EXPECT_EQ(g_suggested_name, "photo.png");
    // The same bytes as the writer makes at the quality of the settings.
    std::string want = folder + "want.jpg";
    ASSERT_TRUE(save_image(want.c_str(), g_viewer.shown, kSaveJpeg, 37));
    EXPECT_EQ(read_whole(g_typed_name), read_whole(want));
    EXPECT_STREQ(g_viewer.current_path, g_typed_name.c_str());
    EXPECT_FALSE(title_starred()) << window_title();
    EXPECT_EQ(g_viewer.loaded_frames[0], g_viewer.shown);
    EXPECT_EQ(status_part(0), "photo.jpeg") << "the status bar names the new file at once";
    EXPECT_EQ(status_part(1), tr(kTextTypeJpeg));

    // A name Lumora cannot write gets PNG data.
    g_typed_name = folder + "photo.tif";
    answer_next_dialog(IDOK, type_name);
    Command(IDM_FILE_SAVE_AS);
    std::vector<unsigned char> head = read_whole(g_typed_name);
    ASSERT_GT(head.size(), 4u);
    EXPECT_EQ(head[0], 0x89);
}

// Each page keeps its own edited mark: saving one page clears only its own.
TEST_F(SaveCommandsTest, SavingAnotherPageKeepsAnEditedPageAsked) {
    lstrcpyA(g_viewer.current_path, (folder + "pages.bmp").c_str());
    install_frames(3);
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);  // page 1
    Command(IDM_GO_NEXT_PAGE);
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);  // page 2: the only undo step now
    Command(IDM_FILE_SAVE);
    EXPECT_TRUE(exists(folder + "pages.bmp"));
    EXPECT_TRUE(g_viewer.edited) << "page 1 is still edited";
    EXPECT_TRUE(title_starred()) << window_title();
    Command(IDM_GO_NEXT_PAGE);
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);  // page 3, then undone: as loaded again
    Command(IDM_EDIT_UNDO);
    EXPECT_TRUE(g_viewer.edited);
    Command(IDM_GO_NEXT_PAGE);  // round to page 1
    Command(IDM_FILE_SAVE);
    EXPECT_FALSE(g_viewer.edited) << "every page is as saved or as loaded";
    EXPECT_FALSE(title_starred()) << window_title();
}

TEST_F(SaveCommandsTest, FailedSavesLeaveTheFileAsItWas) {
    std::string path = Open("kept.bmp");
    const std::vector<unsigned char> before = read_whole(path);
    Command(IDM_IMAGE_GRAYSCALE);
    auto failed_save = [&](const char* what) {
        answer_next_dialog(IDOK);
        Command(IDM_FILE_SAVE);
        EXPECT_EQ(last_dialog().text, tr(kTextCouldNotSave)) << what;
        EXPECT_EQ(read_whole(path), before) << what;
        EXPECT_TRUE(g_viewer.edited) << what;
        EXPECT_EQ(count_files(folder), 1) << what << ": no temporary file left behind";
    };
    // Another program holds the file open without sharing it.
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    failed_save("locked");
    CloseHandle(lock);
    // The file is read-only.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    failed_save("read-only");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    Command(IDM_FILE_SAVE);
    EXPECT_NE(read_whole(path), before);
    EXPECT_FALSE(g_viewer.edited);
}

// No on closing is answered by real keys in tests/e2e/edit_picture.sh.
TEST_F(SaveCommandsTest, DiscardPromptNamesThePictureAndCancelKeepsTheWindow) {
    Open("a.b.bmp");
    Command(IDM_IMAGE_GRAYSCALE);
    char want[256];
    snprintf(want, sizeof want, tr(kTextAskSaveChanges), "a.b");
    answer_next_dialog(IDCANCEL);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(last_dialog().text, want);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(SaveCommandsTest, ExportWritesNumberedPngsAndAsksBeforeReplacing) {
    uint32_t (*colours[])(int, int) = {pattern_colour, [](int, int) { return 0xFF0000u; }, [](int, int) { return 0x00FF00u; }};
    std::vector<Image*> frames;
    for (auto colour : colours) frames.push_back(make_picture(9, 7, colour));
    install_frames(frames);
    lstrcpyA(g_viewer.current_path, (folder + "anim.gif").c_str());
    answer_next_dialog(IDCANCEL, type_name);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(g_suggested_name, "anim.png") << "Save of a type Lumora cannot write asks for a new name";
    g_suggested_name.clear();
    g_typed_name = folder + "scan.png";
    answer_dialogs({IDOK, IDOK}, type_name);
    Command(IDM_FILE_EXPORT_FRAMES);
    EXPECT_EQ(g_suggested_name, "anim.png");
    char report[256];
    snprintf(report, sizeof report, tr(kTextFramesExported), 3);
    EXPECT_EQ(last_dialog().text, report);
    EXPECT_FALSE(exists(folder + "scan.png")) << "the base name itself is never written";
    char message[kMessageBytes];
    for (int i = 0; i < 3; ++i) {
        std::string name = folder + "scan_0" + std::to_string(i + 1) + ".png";
        Image* back = load_image(name.c_str(), message);
        ASSERT_NE(back, nullptr) << name << ": " << message;
        EXPECT_EQ(compare_with_reference(back, reference_of(frames[i])), "") << name;
        image_free(back);
    }
    // Again: one question before any numbered file is replaced; No writes nothing.
    const std::vector<unsigned char> first = read_whole(folder + "scan_01.png");
    g_viewer.document.frames[0] = make_picture(9, 7);
    image_free(frames[0]);
    g_viewer.shown = g_viewer.document.frames[0];
    answer_dialogs({IDOK, IDNO}, type_name);
    Command(IDM_FILE_EXPORT_FRAMES);
    ASSERT_EQ(dialog_driver::seen.size(), 2u);
    EXPECT_NE(dialog_driver::seen[1].text.find("scan_01.png"), std::string::npos) << dialog_driver::seen[1].text;
    EXPECT_EQ(read_whole(folder + "scan_01.png"), first);

    // A base so long that "_NN.png" would pass 259 characters: no frame is written.
    g_typed_name = folder + std::string(254 - folder.size(), 'n') + ".png";
    answer_dialogs({IDOK, IDOK}, type_name);
    Command(IDM_FILE_EXPORT_FRAMES);
    snprintf(report, sizeof report, tr(kTextFramesExported), 0);
    EXPECT_EQ(last_dialog().text, report);

    CloseDocument();
    install_frames(1);
    answer_next_dialog(IDOK);
    Command(IDM_FILE_EXPORT_FRAMES);
    EXPECT_EQ(last_dialog().text, tr(kTextOnlyOneFrame));
}

TEST_F(SaveCommandsTest, DeleteMovesToTheBinAndShowsTheNext) {
    // Names of this run alone: the bin keeps what earlier runs left.
    const std::string name = "gone-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    const std::string other_name = "z-" + name;
    std::string other = Open(other_name.c_str());
    std::string path = Open(name.c_str());
    scan_folder(path.c_str());
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);  // edited: no save question may follow
    g_settings.ConfirmDel = 1;
    answer_next_dialog(IDYES);
    Command(IDM_FILE_DELETE);
    char question[512];
    snprintf(question, sizeof question, tr(kTextAskRecycle), path.c_str());
    EXPECT_EQ(last_dialog().text, question);
    EXPECT_FALSE(exists(path));
    EXPECT_TRUE(exists(recycled_copy(name))) << recycled_copy(name);
    forget_recycled(name);
    EXPECT_STREQ(g_viewer.current_path, other.c_str());
    EXPECT_EQ(g_file_list.count, 1);
    EXPECT_EQ(status_part(0), other_name) << "no position from before the deletion";

    // No to the question keeps the file.
    answer_next_dialog(IDNO);
    Command(IDM_FILE_DELETE);
    EXPECT_TRUE(exists(other));

    // The last picture of the folder: nothing is left to show.
    g_settings.ConfirmDel = 0;
    Command(IDM_FILE_DELETE);
    EXPECT_FALSE(exists(other));
    EXPECT_EQ(g_viewer.shown, nullptr);
    EXPECT_EQ(window_title(), tr(kTextProduct));
    forget_recycled(other_name);

    // With ExitAfterDel the window closes, without a save question.
    path = Open(name.c_str());
    Command(IDM_IMAGE_GRAYSCALE);
    g_settings.ExitAfterDel = 1;
    Command(IDM_FILE_DELETE);
    pump_messages();
    EXPECT_FALSE(IsWindow(window));
    forget_recycled(name);
}

TEST_F(SaveCommandsTest, EditInPaintAsksFirstThenHandsOverOrSaysWhy) {
    EditVerb verb("cmd.exe /c exit");  // a program that exits at once

    // No paint program here: the picture goes to the temporary copy and
    // the user is told no editor could be opened.
    Open("plain.bmp");
    Command(IDM_IMAGE_ROTATE_CLOCKWISE);
    answer_dialogs({IDNO, IDOK});
    Command(IDM_EDIT_IN_PAINT);
    ASSERT_EQ(dialog_driver::seen.size(), 2u);
    EXPECT_EQ(dialog_driver::seen[1].text, tr(kTextCouldNotOpenEditor));
    EXPECT_TRUE(IsWindow(window));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char message[kMessageBytes];
    Image* copy = load_image((std::string(temp) + "lumora_edit.bmp").c_str(), message);
    ASSERT_NE(copy, nullptr) << message;
    EXPECT_EQ(compare_with_reference(copy, reference_of(g_viewer.shown)), "");
    image_free(copy);

    Open("picture.lumedit");
    answer_next_dialog(IDOK);  // only a failure would ask anything
    Command(IDM_EDIT_IN_PAINT);
    pump_messages();
    EXPECT_FALSE(last_dialog().seen) << last_dialog().text;
    EXPECT_FALSE(IsWindow(window)) << "the editor took the file: the viewer closes";
}

namespace {

HWND g_main;                   // the window a second start hands its path to
std::string g_handed_over;     // that path
bool g_handed = false;

// The first dialog of a command gets the hand-over while it is open; the
// save dialog then gets its name typed, the Resize dialog a new width.
void hand_over_while_open(HWND dialog) {
    if (!g_handed) {
        g_handed = true;
        COPYDATASTRUCT data = {1, (DWORD)g_handed_over.size() + 1, (void*)g_handed_over.c_str()};
        SendMessageA(g_main, WM_COPYDATA, 0, (LPARAM)&data);
    }
    type_name(dialog);
    if (GetDlgItem(dialog, IDC_RESIZE_WIDTH)) SetDlgItemTextA(dialog, IDC_RESIZE_WIDTH, "20");
}

}  // namespace

// A second start hands a path over while a dialog about the shown picture is
// open: the dialog's answer still acts on that picture, and the handed-over
// file opens once the dialog is closed.
TEST_F(SaveCommandsTest, AHandOverWaitsUntilTheDialogIsClosed) {
    g_main = window;
    CreateDirectoryA((folder + "other").c_str(), nullptr);
    g_handed_over = Picture("other\\b.bmp", 20, 10);
    const std::string gone = "a-" + std::to_string(GetCurrentProcessId()) + ".bmp";
    char message[kMessageBytes];
    auto picture_size = [&](const std::string& path) {
        Image* back = load_image(path.c_str(), message);
        std::string size = back ? std::to_string(back->width) + "x" + std::to_string(back->height) : message;
        image_free(back);
        return size;
    };
    struct Case {
        const char* what;
        int command;
        std::vector<int> buttons;
        std::function<void()> open;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"Delete", IDM_FILE_DELETE, {IDYES},
         [&] {
             Open("c.bmp");
             scan_folder(Open(gone.c_str()).c_str());
             g_settings.ConfirmDel = 1;
         },
         [&] {
             EXPECT_FALSE(exists(folder + gone)) << "the file asked about is deleted";
             forget_recycled(gone);
         }},
        {"Save As", IDM_FILE_SAVE_AS, {IDOK},
         [&] {
             Open("a.bmp", 40, 30);
             g_typed_name = folder + "out.bmp";
         },
         [&] { EXPECT_EQ(picture_size(folder + "out.bmp"), "40x30") << "the shown picture is saved"; }},
        {"Resize", IDM_IMAGE_RESIZE, {IDOK, IDNO},  // No: the resized picture need not be saved
         [&] { Open("a.bmp", 40, 30); },
         [&] {
             ASSERT_EQ(dialog_driver::seen.size(), 2u);
             char question[256];
             snprintf(question, sizeof question, tr(kTextAskSaveChanges), "a");
             EXPECT_EQ(dialog_driver::seen[1].text, question) << "the resized picture is asked about";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CloseDocument();
        c.open();
        g_handed = false;
        answer_dialogs(c.buttons, hand_over_while_open);
        Command(c.command);
        pump_messages();
        EXPECT_TRUE(g_handed);
        c.check();
        EXPECT_TRUE(exists(g_handed_over)) << "the handed-over file is left alone";
        EXPECT_STREQ(g_viewer.current_path, g_handed_over.c_str()) << "and shown once the dialog is closed";
        ASSERT_NE(g_viewer.shown, nullptr);
        EXPECT_EQ(g_viewer.shown->width, 20);
    }
}
