// Printing for real: the dialog answered as a user would, the job spooled
// through CUPS to its PDF printer (scripts/printer.sh), the pages rasterised
// by poppler at 50 dpi and sampled where the page arithmetic puts the cells.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/loader.h"
#include "platform/text.h"
#include "print/print.h"
#include "print/print_layout_pure.h"
#include "print/print_state.h"
#include "res/resource.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/folder_fixture.h"

namespace {

const std::string kOut = LUMORA_PRINT_OUT;  // as Linux names it
const int kRasterDpi = 50;

// Runs a Linux command line (Wine starts Linux programs as they are) and
// waits for the file it leaves when done: Wine's handle of such a process
// does not wait for it.
void run_unix(const std::string& command) {
    const std::string done = kOut + "/done";
    DeleteFileA(("Z:" + done).c_str());
    std::string line = "/bin/sh -c \"" + command + "; touch " + done + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) << line;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int tries = 0; tries < 1200 && GetFileAttributesA(("Z:" + done).c_str()) == INVALID_FILE_ATTRIBUTES; ++tries)
        Sleep(50);
}

std::set<std::string> files_in(const std::string& pattern) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(("Z:" + kOut + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The PDF the spooler writes after `before` was taken, once it is whole.
std::string next_pdf(const std::set<std::string>& before) {
    for (int tries = 0; tries < 600; ++tries, Sleep(100))
        for (const std::string& name : files_in("*.pdf")) {
            if (before.count(name)) continue;
            std::vector<unsigned char> bytes = read_whole("Z:" + kOut + "/" + name);
            std::string tail(bytes.end() - std::min<size_t>(bytes.size(), 16), bytes.end());
            if (tail.find("%%EOF") != std::string::npos) return name;
        }
    return "";
}

struct Page {
    Image* image = nullptr;
    ~Page() { image_free(image); }
};

struct PrintTest : FolderTest {
    std::vector<std::unique_ptr<Page>> pages;
    std::string text;  // what pdftotext reads on the pages
    int device_width = 0, device_height = 0, offset_x = 0, offset_y = 0, device_dpi = 300;

    void TearDown() override {
        stop_answering();
        FreePrintState();
        g_print = PrintOptions();
        FolderTest::TearDown();
    }
    // A picture of one colour (0xRRGGBB).
    std::string Solid(const std::string& name, uint32_t colour, int w = 60, int h = 40) {
        Image* picture = make_picture(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image_set_pixel(picture, x, y, colour & 255, (colour >> 8) & 255, colour >> 16);
        save_image((folder + name).c_str(), picture, kSaveBmp, 0);
        image_free(picture);
        return folder + name;
    }
    // Runs `command` with the dialog answered by `fill`, then Print; reads the spooled pages back.
    void Print(int command, void (*fill)(HWND)) {
        std::set<std::string> before = files_in("*.pdf");
        answer_next_dialog(IDOK, fill);
        Command(command);
        stop_answering();
        ASSERT_TRUE(last_dialog().seen) << "no print dialog";
        HDC dc = CreatePrinterDC(g_print.devMode, g_print.devNames, g_print.landscape);
        ASSERT_NE(dc, nullptr);
        device_width = GetDeviceCaps(dc, HORZRES);
        device_height = GetDeviceCaps(dc, VERTRES);
        offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
        offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
        device_dpi = GetDeviceCaps(dc, LOGPIXELSX);
        DeleteDC(dc);
        std::string pdf = next_pdf(before);
        ASSERT_FALSE(pdf.empty()) << "nothing came out of the printer";
        std::string stem = kOut + "/" + pdf.substr(0, pdf.size() - 4);
        run_unix("pdftoppm -r " + std::to_string(kRasterDpi) + " -png " + kOut + "/" + pdf + " " + stem + "; pdftotext " +
                 kOut + "/" + pdf + " " + stem + ".txt");
        std::vector<unsigned char> words = read_whole("Z:" + stem + ".txt");
        text.assign(words.begin(), words.end());
        std::set<std::string> raster = files_in(pdf.substr(0, pdf.size() - 4) + "-*.png");  // sorted by page
        char message[kMessageBytes];
        for (const std::string& name : raster) {
            pages.push_back(std::make_unique<Page>());
            pages.back()->image = load_image(("Z:" + kOut + "/" + name).c_str(), message);
            ASSERT_NE(pages.back()->image, nullptr) << name << ": " << message;
        }
    }
    // The page's colour at a device point, as 0xRRGGBB.
    uint32_t At(int page, int x, int y) {
        const Image* image = pages[page]->image;
        int px = (x + offset_x) * kRasterDpi / device_dpi, py = (y + offset_y) * kRasterDpi / device_dpi;
        px = std::min(std::max(px, 0), image->width - 1);
        py = std::min(std::max(py, 0), image->height - 1);
        const uint8_t* p = image_row(image, py) + 3 * px;
        return (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
    }
    uint32_t CellCentre(int page, const PageGrid& g, int i) {
        Box c = cell_box(g, i);
        return At(page, c.x + c.width / 2, c.y + g.picture_height / 2);
    }
    PageGrid Grid(bool one_picture_once) {
        PageGrid g = {};
        EXPECT_TRUE(print_grid(g_print.layout, g_print.margins, device_width, device_height, g_print.showNames,
                               one_picture_once, &g));
        return g;
    }
};

// Colours survive the PDF and its raster within a few levels.
bool close_to(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16})
        if (abs((int)((a >> shift) & 255) - (int)((b >> shift) & 255)) > 24) return false;
    return true;
}

void choose(HWND dialog, int id, int item) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, item, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)GetDlgItem(dialog, id));
}

void check(HWND dialog, int id, bool on) {
    if ((IsDlgButtonChecked(dialog, id) == BST_CHECKED) != on) SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

}  // namespace

TEST_F(PrintTest, OnePictureOnAFullPageInsideItsMargins) {
    OpenFileInViewer(Solid("red.bmp", kRed).c_str());
    Print(IDM_FILE_PRINT, [](HWND) {});
    ASSERT_EQ(pages.size(), 1u);
    PageGrid g = Grid(true);
    EXPECT_TRUE(close_to(CellCentre(0, g, 0), kRed));
    EXPECT_TRUE(close_to(At(0, g.margin / 2, device_height / 2), kWhite)) << "the left margin";
    EXPECT_TRUE(close_to(At(0, device_width / 2, g.margin + 20), kWhite)) << "above the fitted picture";
}

TEST_F(PrintTest, CopiesOfEachPictureAreAdjacentAcrossPages) {
    Solid("a.bmp", kRed);
    Solid("b.bmp", kGreen);
    Solid("c.bmp", kBlue);
    ShowFolderInBrowser(folder.c_str());
    Print(IDM_FILE_PRINT, [](HWND d) {
        choose(d, IDC_PRINT_LAYOUT, 1);  // 2 per Page
        SetDlgItemInt(d, IDC_PRINT_COPIES, 2, FALSE);
    });
    ASSERT_EQ(pages.size(), 3u);
    PageGrid g = Grid(false);
    const uint32_t want[3] = {kRed, kGreen, kBlue};
    for (int p = 0; p < 3; ++p)
        for (int i = 0; i < 2; ++i) EXPECT_TRUE(close_to(CellCentre(p, g, i), want[p])) << "page " << p << " cell " << i;
}

TEST_F(PrintTest, OnePictureOnceIsCentredAndTwiceFillsTheGrid) {
    OpenFileInViewer(Solid("red.bmp", kRed).c_str());
    Print(IDM_FILE_PRINT, [](HWND d) { choose(d, IDC_PRINT_LAYOUT, 2); });  // Quarter Page
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(close_to(At(0, device_width / 2, device_height / 2), kRed)) << "the middle of the page";
    PageGrid grid = Grid(false);
    EXPECT_TRUE(close_to(CellCentre(0, grid, 0), kWhite)) << "no grid cell";
    pages.clear();
    Print(IDM_FILE_PRINT, [](HWND d) {
        choose(d, IDC_PRINT_LAYOUT, 2);
        SetDlgItemInt(d, IDC_PRINT_COPIES, 2, FALSE);
    });
    ASSERT_EQ(pages.size(), 1u);
    grid = Grid(false);
    EXPECT_TRUE(close_to(CellCentre(0, grid, 0), kRed) && close_to(CellCentre(0, grid, 1), kRed));
    EXPECT_TRUE(close_to(CellCentre(0, grid, 2), kWhite)) << "the two copies fill the first two cells";
}

TEST_F(PrintTest, LandscapeWideMarginsGrayscaleAndTheContactSheetsNames) {
    for (const char* name : {"alpha.bmp", "beta.bmp", "gamma.bmp", "delta.bmp"}) Solid(name, kRed);
    ShowFolderInBrowser(folder.c_str());
    Print(IDM_FILE_PRINT, [](HWND d) {
        choose(d, IDC_PRINT_LAYOUT, 2);
        choose(d, IDC_PRINT_ORIENTATION, 1);
        choose(d, IDC_PRINT_MARGINS, 2);  // wide
        check(d, IDC_PRINT_GRAYSCALE, true);
    });
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GT(device_width, device_height) << "landscape";
    EXPECT_GT(pages[0]->image->width, pages[0]->image->height);
    PageGrid g = Grid(false);
    EXPECT_EQ(g.margin, margin_pixels(2, device_width));
    uint32_t first = CellCentre(0, g, 0);
    EXPECT_FALSE(close_to(first, kWhite)) << "the first cell where the arithmetic puts it";
    EXPECT_TRUE(((first >> 16) & 255) == ((first >> 8) & 255) && ((first >> 8) & 255) == (first & 255))
        << std::hex << first << " is not gray";
    EXPECT_TRUE(close_to(At(0, g.margin / 2, g.margin / 2), kWhite)) << "the wide margin";

    pages.clear();
    Print(IDM_FILE_PRINT_THUMBNAILS, [](HWND d) { check(d, IDC_PRINT_GRAYSCALE, false); });
    for (const char* name : {"alpha.bmp", "beta.bmp", "gamma.bmp", "delta.bmp"})
        EXPECT_NE(text.find(name), std::string::npos) << name << " under its picture: " << text;
}

// The print list keeps 500 of 501 selected files: 4 per Page takes 125 pages.
TEST_F(PrintTest, AtMostFiveHundredFilesAndNothingToPrint) {
    for (int i = 0; i < 501; ++i) Put("p" + std::to_string(i) + ".bmp");
    ShowFolderInBrowser(folder.c_str());
    Command(IDM_EDIT_SELECT_ALL);
    static std::string line;
    answer_next_dialog(IDCANCEL, [](HWND d) {
        choose(d, IDC_PRINT_LAYOUT, 2);
        line = text_of(GetDlgItem(d, IDC_PRINT_PAGE));
    });
    Command(IDM_FILE_PRINT);
    stop_answering();
    char want[64];
    snprintf(want, sizeof want, tr(kTextPageOfPages), 1, 125);
    EXPECT_EQ(line, want);

    CreateDirectoryA((folder + "none").c_str(), nullptr);  // an empty folder, no picture in the viewer
    ShowFolderInBrowser((folder + "none").c_str());
    answer_next_dialog(IDOK);
    Command(IDM_FILE_PRINT);
    stop_answering();
    EXPECT_EQ(last_dialog().text, tr(kTextNoImagesToPrint));
}
