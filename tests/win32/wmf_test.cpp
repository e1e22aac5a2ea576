// Metafiles played through GDI: written files against GDI's own PlayMetaFile,
// and hostile files that must end in time. The record judgement: tests/native.
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "core/wmf.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"
#include "tests/support/wmf_writer.h"

namespace {

const DWORD kTimeLimitMs = 10000;  // catches a playback that goes round for ever; not a speed goal
const uint32_t kWhite = 0xFFFFFF, kRed = 0xE02010, kBlue = 0x1040C0;

struct RenderJob {
    std::string path;
    Decoded result;
};

DWORD WINAPI run_job(void* job) {
    RenderJob* j = (RenderJob*)job;
    j->result.image = render_wmf(j->path.c_str(), j->result.message);
    return 0;
}

// The renderer's picture and message for a file, or none (a failure) after
// the time limit; the job is then left to its thread.
std::unique_ptr<RenderJob> render(const WmfBytes& file, const std::string& name) {
    RenderJob* job = new RenderJob{write_scratch(name + ".wmf", file), {}};
    HANDLE thread = CreateThread(nullptr, 0, run_job, job, 0, nullptr);
    bool done = thread && WaitForSingleObject(thread, kTimeLimitMs) == WAIT_OBJECT_0;
    if (thread) CloseHandle(thread);
    EXPECT_TRUE(done) << name << ": no picture and no message after " << kTimeLimitMs << " ms";
    return std::unique_ptr<RenderJob>(done ? job : nullptr);
}

// "" when each spot (x and y in twentieths of the picture) has its colour.
std::string spots_differ(const Image* image, const std::vector<std::vector<uint32_t>>& spots) {
    for (const std::vector<uint32_t>& s : spots) {
        int x = image->width * (int)s[0] / 20, y = image->height * (int)s[1] / 20;
        const uint8_t* p = image_row(image, y) + 3 * x;
        uint32_t have = (uint32_t)p[2] << 16 | p[1] << 8 | p[0];
        if (have != s[2]) return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": want " +
                                 std::to_string(s[2]) + ", have " + std::to_string(have);
    }
    return "";
}

// GDI's own way: the whole metafile through PlayMetaFile into a white 24-bit
// DIB section mapped from the box the test wrote (0..640 x 0..480 without one).
Image* played_by_gdi(const WmfBytes& file, const WmfBox* box, int width, int height) {
    size_t at = box ? 22 : 0;
    HMETAFILE metafile = SetMetaFileBitsEx((UINT)(file.size() - at), file.data() + at);
    BITMAPINFO info = {{sizeof info.bmiHeader, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, section);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetMapMode(dc, MM_ANISOTROPIC);
    int dx = box ? box->right - box->left : 640, dy = box ? box->bottom - box->top : 480;
    SetWindowOrgEx(dc, box ? box->left : 0, box ? box->top : 0, nullptr);
    SetWindowExtEx(dc, dx ? dx : width, dy ? dy : height, nullptr);
    SetViewportExtEx(dc, width, height, nullptr);
    PlayMetaFile(dc, metafile);
    GdiFlush();
    SelectObject(dc, old);
    Image* image = metafile && bits ? image_create(width, height) : nullptr;
    for (int y = 0; image && y < height; ++y)  // the pixels only: the padding is ours to check
        memcpy(image->pixels + (size_t)y * image->stride, (uint8_t*)bits + (size_t)y * image->stride, 3 * width);
    DeleteObject(section);
    DeleteDC(dc);
    DeleteMetaFile(metafile);
    return image;
}

const WmfBox kPixelBox = {0, 0, 41, 30, 96};  // 41 wide: the rows carry padding

// A red block on the left and a blue one in the upper right, in the box's own
// units; `between` stands after the red block.
WmfBytes two_blocks(const WmfBox* box, const WmfBytes& between = {}) {
    int l = box ? box->left : 0, t = box ? box->top : 0, w = box ? box->right - l : 640, h = box ? box->bottom - t : 480;
    auto at = [](int origin, int size, int tenths) { return (int16_t)(origin + size * tenths / 10); };
    return wmf_file({wmf_null_pen(), wmf_filled(kRed, at(l, w, 1), at(t, h, 1), at(l, w, 4), at(t, h, 9)), between,
                     wmf_filled(kBlue, at(l, w, 5), at(t, h, 2), at(l, w, 9), at(t, h, 5))},
                    box);
}
const std::vector<std::vector<uint32_t>> kBlockSpots = {{5, 10, kRed}, {14, 7, kBlue}, {14, 15, kWhite}, {1, 1, kWhite},
                                                        {19, 19, kWhite}, {9, 10, kWhite}, {5, 19, kWhite}};
const std::vector<std::vector<uint32_t>> kRedOnlySpots = {{5, 10, kRed}, {14, 7, kWhite}};

}  // namespace

// Size from the box, colours and white margins, the same pixels as
// PlayMetaFile, a box written bottom to top the right way up, a zero box,
// and escape records left out.
TEST(Wmf, BoxUnitsColoursAndGdisOwnPlayback) {
    const WmfBox inch1440 = {0, 0, 2880, 1440, 1440}, inch0 = {100, 200, 2980, 1640, 0},
                 zero_width = {50, 0, 50, 40, 96}, huge = {-30000, 0, 30000, 40, 96}, y_up = {0, 30, 40, 0, 96},
                 nothing = {9, 9, 9, 9, 96};
    struct Case {
        const char* name;
        const WmfBox* box;
        int width, height;
        WmfBytes between = {};  // an escape: the pixels must be those of the file without it
    } cases[] = {
        {"96-per-inch", &kPixelBox, 41, 30}, {"1440-per-inch", &inch1440, 192, 96}, {"0-per-inch", &inch0, 192, 96},
        {"no-box", nullptr, 640, 480},      {"zero-width", &zero_width, 1, 40},     {"huge", &huge, 3000, 40},
        {"y-up", &y_up, 40, 30},            {"zero-box", &nothing, 1, 1},         {"escape", &kPixelBox, 41, 30, wmf_escape()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WmfBytes file = two_blocks(c.box);
        std::unique_ptr<RenderJob> r = render(two_blocks(c.box, c.between), c.name);
        const Image* image = r ? r->result.image : nullptr;
        ASSERT_NE(image, nullptr) << (r ? r->result.message : "");
        EXPECT_STREQ(r->result.message, "");
        EXPECT_EQ(std::make_pair(image->width, image->height), std::make_pair(c.width, c.height));
        if (c.width > 1) {
            EXPECT_EQ(spots_differ(image, kBlockSpots), "");
        }
        Image* gdi = played_by_gdi(file, c.box, image->width, image->height);
        ASSERT_NE(gdi, nullptr);
        EXPECT_EQ(compare_with_reference(image, reference_of(gdi)), "") << "against PlayMetaFile";
        image_free(gdi);
    }
}

// Each ends with a picture or a message, in time. A record that stops the
// playback leaves the red block drawn and not the blue one after it; one
// that is skipped leaves both. The fuzzer's corpus plays too, as a smoke run
// of what the walk lets through (LUMORA_WMF_SMOKE names another folder).
TEST(Wmf, HostileFilesEndQuickly) {
    struct Case {
        std::string name;
        WmfBytes file;
        const std::vector<std::vector<uint32_t>>* spots;  // none: a picture or a message
    };
    std::vector<Case> cases = {
        {"30000-points-in-10-words", two_blocks(&kPixelBox, wmf_record(0x0324, {30000, 0, 0, 40, 0, 40, 30})), &kBlockSpots},
        {"odd-length", wmf_join({two_blocks(&kPixelBox), {0}}), nullptr},
    };
    for (uint32_t words : {0u, 1u, 2u, 0x80000000u})
        cases.push_back({"size-" + std::to_string(words), two_blocks(&kPixelBox, wmf_record(0x041B, {0, 40, 0, 0}, words)),
                         &kRedOnlySpots});
    for (int over = 2; over <= 18; over += 2) {  // the last record runs past the end
        WmfBytes file = two_blocks(&kPixelBox);
        file.resize(file.size() - 2 * (3 + 1 + 3));  // without the blue brush's deletion and the end record
        file[file.size() - 14] += (uint8_t)(over / 2);  // the rectangle's size
        cases.push_back({"past-end-by-" + std::to_string(over), file, &kRedOnlySpots});
    }
    std::string root = LUMORA_CORPUS_MANIFEST;  // <root>/tests/corpus/manifest.txt
    std::string corpus = getenv("LUMORA_WMF_SMOKE") ? std::string(getenv("LUMORA_WMF_SMOKE")) + "\\"
                                                    : root.substr(0, root.rfind("tests/")) + "fuzz/corpus/wmf/";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((corpus + "*.wmf").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found))
        cases.push_back({found.cFileName, read_whole(corpus + found.cFileName), nullptr});
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    EXPECT_GT(cases.size(), 15u) << "no files in " << corpus;  // 15 written above
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<RenderJob> r = render(c.file, "hostile");
        if (!r) continue;  // the time limit failed it
        const Image* image = r->result.image;
        EXPECT_TRUE(image || r->result.message[0]) << "neither a picture nor a message";
        if (c.spots) {
            EXPECT_EQ(image ? spots_differ(image, *c.spots) : r->result.message, "");
        }
    }
}
