// Metafiles played through GDI: sizes, colours and margins of pictures drawn
// by written files, the same pixels as GDI's own PlayMetaFile, and hostile
// files that must end, each within a time limit. The record judgement itself
// is tested natively (tests/native/wmf_test.cpp).
#include <windows.h>
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "core/decode_message.h"
#include "core/wmf.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"
#include "tests/support/wmf_writer.h"

namespace {

const DWORD kTimeLimitMs = 10000;  // a playback that goes round for ever, not a speed goal
const uint32_t kWhite = 0xFFFFFF, kRed = 0xE02010, kBlue = 0x1040C0;

struct RenderJob {
    std::string path;
    Decoded result;
};

DWORD WINAPI render_job(void* data) {
    RenderJob* job = (RenderJob*)data;
    job->result.image = render_wmf(job->path.c_str(), job->result.message);
    return 0;
}

// The renderer's picture and message for a file, or none when it takes longer
// than the time limit (the job is then left to its thread).
RenderJob* render_in_time(const std::string& path) {
    RenderJob* job = new RenderJob{path, {}};
    HANDLE thread = CreateThread(nullptr, 0, render_job, job, 0, nullptr);
    bool done = thread && WaitForSingleObject(thread, kTimeLimitMs) == WAIT_OBJECT_0;
    if (thread) CloseHandle(thread);
    if (done) return job;
    ADD_FAILURE() << path << ": no picture and no message after " << kTimeLimitMs << " ms";
    return nullptr;
}

struct Rendered {
    RenderJob* job = nullptr;
    const Image* image() const { return job ? job->result.image : nullptr; }
    const char* message() const { return job ? job->result.message : "timed out"; }
    ~Rendered() { delete job; }
};

void render(const WmfBytes& file, const std::string& name, Rendered* out) {
    out->job = render_in_time(write_scratch(name + ".wmf", file));
}

uint32_t rgb_at(const Image* image, int x, int y) {
    const uint8_t* p = image_row(image, y) + 3 * x;
    return (uint32_t)p[2] << 16 | p[1] << 8 | p[0];
}

struct Spot {
    int x, y;
    uint32_t rgb;
};

// "" when every spot has its colour, else the first that has not.
std::string spots_differ(const Image* image, const std::vector<Spot>& spots) {
    for (const Spot& s : spots)
        if (rgb_at(image, s.x, s.y) != s.rgb) {
            char text[96];
            snprintf(text, sizeof text, "pixel (%d,%d): want %06X, have %06X", s.x, s.y, s.rgb, rgb_at(image, s.x, s.y));
            return text;
        }
    return "";
}

// GDI's own way: the whole metafile through PlayMetaFile into a white 24-bit
// DIB section mapped from the box the test wrote (0..640 x 0..480 without one).
Image* played_by_gdi(const WmfBytes& file, const WmfBox* box, int width, int height) {
    size_t at = box ? 22 : 0;
    HMETAFILE metafile = SetMetaFileBitsEx((UINT)(file.size() - at), file.data() + at);
    if (!metafile) return nullptr;
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
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetViewportExtEx(dc, width, height, nullptr);
    PlayMetaFile(dc, metafile);
    GdiFlush();
    SelectObject(dc, old);
    Image* image = image_create(width, height);
    if (image && bits)
        for (int y = 0; y < height; ++y)
            memcpy(image->pixels + (size_t)y * image->stride, (uint8_t*)bits + (size_t)y * image->stride, 3 * width);
    DeleteObject(section);
    DeleteDC(dc);
    DeleteMetaFile(metafile);
    return image;
}

const WmfBox kPixelBox = {0, 0, 41, 30, 96};  // 41 wide: the rows carry padding

// A red block on the left, a blue one on the right, in the box's own units.
WmfBytes two_blocks(const WmfBox* box) {
    int l = box ? box->left : 0, t = box ? box->top : 0, r = box ? box->right : 640, b = box ? box->bottom : 480;
    int w = r - l, h = b - t;
    return wmf_file({wmf_null_pen(),
                     wmf_filled(kRed, (int16_t)(l + w / 10), (int16_t)(t + h / 10), (int16_t)(l + 4 * w / 10),
                                (int16_t)(t + 9 * h / 10)),
                     wmf_filled(kBlue, (int16_t)(l + 5 * w / 10), (int16_t)(t + h / 5), (int16_t)(l + 9 * w / 10),
                                (int16_t)(t + 4 * h / 5))},
                    box);
}

// The spots two_blocks colours on a picture of this size: block centres and margins.
std::vector<Spot> two_blocks_spots(int width, int height) {
    auto at = [&](int tenths_x, int tenths_y, uint32_t rgb) { return Spot{width * tenths_x / 20, height * tenths_y / 20, rgb}; };
    return {at(5, 10, kRed), at(14, 10, kBlue), at(1, 1, kWhite), at(19, 19, kWhite), at(9, 10, kWhite),
            at(14, 2, kWhite), at(5, 19, kWhite)};
}

}  // namespace

TEST(Wmf, OneUnitAPixelGivesTheBoxWithExactColoursAndWhiteMargins) {
    Rendered r;
    render(two_blocks(&kPixelBox), "blocks", &r);
    ASSERT_NE(r.image(), nullptr) << r.message();
    EXPECT_STREQ(r.message(), "");
    EXPECT_EQ(std::make_pair(r.image()->width, r.image()->height), std::make_pair(41, 30));
    EXPECT_EQ(spots_differ(r.image(), two_blocks_spots(41, 30)), "");
    EXPECT_EQ(compare_with_reference(r.image(), reference_of(r.image())), "") << "row padding";
}

TEST(Wmf, SizeComesFromTheBoxAndItsUnits) {
    const WmfBox inch1440 = {0, 0, 2880, 1440, 1440}, inch0 = {100, 200, 2980, 1640, 0},
                 zero_width = {50, 0, 50, 40, 96}, huge = {-30000, 0, 30000, 40, 96};
    struct Case {
        const char* name;
        const WmfBox* box;
        int width, height;
    } cases[] = {
        {"1440-per-inch", &inch1440, 192, 96}, {"0-per-inch", &inch0, 192, 96}, {"no-box", nullptr, 640, 480},
        {"zero-width", &zero_width, 1, 40},     {"huge", &huge, 3000, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rendered r;
        render(two_blocks(c.box), c.name, &r);
        ASSERT_NE(r.image(), nullptr) << r.message();
        EXPECT_EQ(std::make_pair(r.image()->width, r.image()->height), std::make_pair(c.width, c.height));
        if (c.width > 1) {
            EXPECT_EQ(spots_differ(r.image(), two_blocks_spots(c.width, c.height)), "");
        }
    }
}

// Written by a generator whose y axis points up: top above bottom in numbers.
TEST(Wmf, BoxDrawnBottomToTopRendersTheRightWayUp) {
    const WmfBox y_up = {0, 30, 40, 0, 96};
    Rendered r;
    render(wmf_file({wmf_null_pen(), wmf_filled(kRed, 0, 30, 20, 20)}, &y_up), "y-up", &r);
    ASSERT_NE(r.image(), nullptr) << r.message();
    EXPECT_EQ(std::make_pair(r.image()->width, r.image()->height), std::make_pair(40, 30));
    EXPECT_EQ(spots_differ(r.image(), {{5, 3, kRed}, {5, 26, kWhite}, {30, 3, kWhite}}), "");
}

TEST(Wmf, EscapeRecordsAreNotPlayed) {
    Rendered plain, escaped;
    render(two_blocks(&kPixelBox), "plain", &plain);
    WmfBytes with_escape = wmf_file({wmf_null_pen(), wmf_escape(), wmf_filled(kRed, 4, 3, 16, 27), wmf_escape(),
                                     wmf_filled(kBlue, 20, 6, 36, 24)},
                                    &kPixelBox);
    render(with_escape, "escape", &escaped);
    ASSERT_NE(escaped.image(), nullptr) << escaped.message();
    EXPECT_TRUE(same_picture(plain.image(), escaped.image()));
}

TEST(Wmf, SamePixelsAsGdiPlayingTheWholeFile) {
    const WmfBox inch1440 = {0, 0, 2880, 1440, 1440}, y_up = {0, 30, 40, 0, 96}, zero_width = {50, 0, 50, 40, 96};
    for (const WmfBox* box : {&kPixelBox, &inch1440, &y_up, &zero_width, (const WmfBox*)nullptr}) {
        WmfBytes file = two_blocks(box);
        Rendered r;
        render(file, "cross", &r);
        ASSERT_NE(r.image(), nullptr) << r.message();
        Image* gdi = played_by_gdi(file, box, r.image()->width, r.image()->height);
        ASSERT_NE(gdi, nullptr);
        EXPECT_EQ(compare_with_reference(r.image(), reference_of(gdi)), "")
            << (box ? box->left : 0) << "," << (box ? box->top : 0) << " to " << (box ? box->right : 640) << ","
            << (box ? box->bottom : 480);
        image_free(gdi);
    }
}

// Each hostile file ends with a picture or a message, in time. A record that
// stops the playback leaves what came before it drawn and nothing after; one
// that is skipped leaves both.
TEST(Wmf, HostileFilesEndQuickly) {
    enum Expect { kRedOnly, kBoth, kOnePixel, kPictureOrMessage };
    auto between = [](const WmfBytes& bad) {
        return wmf_file({wmf_null_pen(), wmf_filled(kRed, 4, 3, 16, 27), bad, wmf_filled(kBlue, 20, 6, 36, 24)},
                        &kPixelBox);
    };
    WmfBytes odd = two_blocks(&kPixelBox);
    odd.push_back(0);
    const WmfBox nothing = {0, 0, 0, 0, 96};
    struct Case {
        std::string name;
        WmfBytes file;
        Expect expect;
    };
    std::vector<Case> cases = {
        {"size-0", between(wmf_record(0x041B, {0, 40, 0, 0}, 0)), kRedOnly},
        {"size-1", between(wmf_record(0x041B, {0, 40, 0, 0}, 1)), kRedOnly},
        {"size-2", between(wmf_record(0x041B, {0, 40, 0, 0}, 2)), kRedOnly},
        {"size-2^31", between(wmf_record(0x041B, {0, 40, 0, 0}, 0x80000000u)), kRedOnly},
        {"polygon-30000-points", between(wmf_record(0x0324, {30000, 0, 0, 40, 0, 40, 30})), kBoth},
        {"odd-length", odd, kPictureOrMessage},
        {"zero-box", wmf_file({wmf_null_pen(), wmf_filled(kRed, 0, 0, 1, 1)}, &nothing), kOnePixel},
    };
    // The last record reaches past the end of the file by 2 to 18 bytes.
    for (int over = 2; over <= 18; over += 2) {
        WmfBytes file = wmf_file({wmf_null_pen(), wmf_filled(kRed, 4, 3, 16, 27), wmf_brush(kBlue),
                                  wmf_record(0x041B, {24, 36, 6, 20}, 7 + over / 2)},
                                 &kPixelBox, false);
        cases.push_back({"past-end-by-" + std::to_string(over), file, kRedOnly});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rendered r;
        render(c.file, c.name, &r);
        if (!r.job) continue;  // the time limit already failed it
        if (c.expect == kPictureOrMessage) {
            EXPECT_TRUE(r.image() || r.message()[0]) << "neither a picture nor a message";
            continue;
        }
        ASSERT_NE(r.image(), nullptr) << r.message();
        if (c.expect == kOnePixel) {
            EXPECT_EQ(std::make_pair(r.image()->width, r.image()->height), std::make_pair(1, 1));
            continue;
        }
        EXPECT_EQ(spots_differ(r.image(), {{10, 15, kRed}, {28, 15, c.expect == kBoth ? kBlue : kWhite}}), "");
    }
}

// The fuzzer's corpus, played whole: whatever the walk let through, GDI
// survives it. LUMORA_WMF_SMOKE names another folder (a long run's corpus).
TEST(Wmf, FuzzCorpusPlaysToAnEnd) {
    std::string manifest = LUMORA_CORPUS_MANIFEST;  // <root>/tests/corpus/manifest.txt
    std::string folder = manifest.substr(0, manifest.size() - strlen("tests/corpus/manifest.txt")) + "fuzz/corpus/wmf/";
    if (const char* other = getenv("LUMORA_WMF_SMOKE")) folder = std::string(other) + "\\";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << folder;
    int files = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        Rendered r;
        r.job = render_in_time(folder + found.cFileName);
        if (r.job) {
            EXPECT_TRUE(r.image() || r.message()[0]) << found.cFileName << ": neither a picture nor a message";
        }
        ++files;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    EXPECT_GT(files, 0) << folder;
    printf("%d files of %s played\n", files, folder.c_str());
}
