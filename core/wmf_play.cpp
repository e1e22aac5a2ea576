// The metafile player: GDI draws the records that the walk of core/wmf.cpp
// lets through into a white 24-bit DIB section. Only the Windows build has
// GDI; elsewhere the same entry reports that the format cannot be shown.
#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/wmf.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

Image* fail(char* message, const char* text) {
    set_message(message, text);
    return nullptr;
}

#ifdef _WIN32

// Zeros behind the last record: a record that ends early has GDI read its
// fixed parameters from these rather than from beyond the block.
const size_t kTailBytes = 64;

struct Playback {
    WmfWalk walk;  // over our copy of the bytes, which is what plays
};

// GDI walks the same records by the same sizes; it merely calls us. Each
// record is judged before it plays, and the playback ends before GDI reads a
// record that does not fit, so a size of 0 or 2^31 cannot make it go round
// for ever or step outside its copy.
int CALLBACK play_record(HDC dc, HANDLETABLE* table, METARECORD* gdi_record, int objects, LPARAM data) {
    Playback* playback = (Playback*)data;
    WmfRecord record;
    WmfVerdict verdict = wmf_next_record(&playback->walk, &record);
    if (verdict == kWmfStop || 2 * (uint64_t)gdi_record->rdSize != record.bytes ||
        gdi_record->rdFunction != record.function || (uint32_t)objects != playback->walk.objects)
        return 0;
    if (verdict == kWmfPlay)
        PlayMetaFileRecord(dc, table, (METARECORD*)(playback->walk.data + record.at), (UINT)objects);
    return wmf_has_next_record(&playback->walk);
}

Image* play(const uint8_t* metafile, const WmfFrame& frame, char* message) {
    HMETAFILE handle = SetMetaFileBitsEx((UINT)frame.metafile_bytes, metafile);
    if (!handle) return fail(message, kMsgWmfFailed);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, frame.width, frame.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    Image* image = nullptr;
    if (!section || !bits) {
        set_message(message, kMsgNoMemory);
    } else {
        HGDIOBJ old = SelectObject(dc, section);
        RECT all = {0, 0, frame.width, frame.height};
        FillRect(dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowOrgEx(dc, frame.origin_x, frame.origin_y, nullptr);
        SetWindowExtEx(dc, frame.extent_x, frame.extent_y, nullptr);
        SetViewportOrgEx(dc, 0, 0, nullptr);
        SetViewportExtEx(dc, frame.width, frame.height, nullptr);
        Playback playback = {wmf_walk(metafile, frame.metafile_bytes)};
        // GDI reads the first record before it calls us.
        if (wmf_has_next_record(&playback.walk)) EnumMetaFile(dc, handle, play_record, (LPARAM)&playback);
        GdiFlush();
        SelectObject(dc, old);
        image = image_create(frame.width, frame.height);
        if (!image) {
            set_message(message, kMsgNoMemory);
        } else {
            // Both are bottom-up with the same stride; only the pixels are
            // copied, so the padding stays zero whatever GDI left there.
            for (int32_t row = 0; row < frame.height; ++row)
                memcpy(image->pixels + (size_t)row * image->stride, (const uint8_t*)bits + (size_t)row * image->stride,
                       3 * (size_t)frame.width);
        }
    }
    if (section) DeleteObject(section);
    if (dc) DeleteDC(dc);
    DeleteMetaFile(handle);
    return image;
}

#endif

}  // namespace

Image* render_wmf_data(const uint8_t* data, size_t size, char* message) {
    clear_message(message);
    if (size < kMinWmfFileBytes || size > kMaxWmfFileBytes) return fail(message, kMsgWmfInvalid);
#ifdef _WIN32
    WmfFrame frame = wmf_frame(data, size);
    // Our own copy, with its tail of zeros, is what the walk judges and what plays.
    uint8_t* metafile = (uint8_t*)calloc(frame.metafile_bytes + kTailBytes, 1);
    if (!metafile) return fail(message, kMsgNoMemory);
    memcpy(metafile, data + frame.metafile_at, frame.metafile_bytes);
    Image* image = play(metafile, frame, message);
    free(metafile);
    return image;
#else
    (void)data;
    return fail(message, kMsgWmfFailed);  // no GDI to play it
#endif
}

Image* render_wmf(const char* path, char* message) {
    clear_message(message);
    FileBytes file;
    // Above the limit is the size rule, as for a file too short.
    if (!file_bytes_read_for_decoder(path, kMaxWmfFileBytes, &file, message, kMsgWmfInvalid)) return nullptr;
    Image* image = render_wmf_data(file.data, file.size, message);
    file_bytes_free(&file);
    return image;
}
