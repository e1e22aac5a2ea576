#include "browser/thumb_cache.h"

#include <stdlib.h>
#include <string.h>

#include "browser/thumb_cache_pure.h"
#include "core/formats.h"
#include "core/image.h"

namespace {

const DWORD kMaxTempFolder = 244;  // leaves room for the folder and file names

char s_folder[260];
bool s_computed;  // set before the first attempt: a failed one is not repeated
bool s_temp_overridden;
char s_temp_override[260];

void temp_folder(char* out) {
    out[0] = 0;
    if (s_temp_overridden) {
        lstrcpynA(out, s_temp_override, kMaxTempFolder + 1);
        return;
    }
    DWORD length = GetTempPathA(kMaxTempFolder + 1, out);
    if (length == 0 || length > kMaxTempFolder) out[0] = 0;
}

// The cache file of a key; false when it would not fit a path.
bool cache_file_name(const ThumbKey& key, char* name) {
    const char* folder = ensure_thumb_cache_folder();
    return folder[0] && thumb_cache_file_name(folder, thumb_path_hash(key.path), key.edge, name, 260);
}

}  // namespace

const char* ensure_thumb_cache_folder() {
    if (s_computed) return s_folder;
    s_computed = true;
    char temp[260];
    temp_folder(temp);
    s_folder[0] = 0;
    size_t length = strlen(temp);
    if (!length) return s_folder;
    if (temp[length - 1] != '\\') lstrcatA(temp, "\\");
    lstrcatA(temp, "LumoraThumb\\");
    lstrcpynA(s_folder, temp, sizeof s_folder);
    CreateDirectoryA(s_folder, nullptr);  // already there is fine
    return s_folder;
}

HBITMAP load_cached_thumbnail(const ThumbKey& key, HDC dc) { return cached_thumbnail_bitmap(read_cached_thumbnail(key), dc); }

CachedRows read_cached_thumbnail(const ThumbKey& key) {
    CachedRows none = {nullptr, key.edge};
    char name[260];
    if (!cache_file_name(key, name)) return none;
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return none;
    uint8_t header[kThumbHeaderBytes];
    DWORD got = 0;
    const ThumbStamp stamp = {(uint32_t)key.modified, (uint32_t)(key.modified >> 32), key.file_size, key.edge};
    if (!ReadFile(file, header, sizeof header, &got, nullptr) || !thumb_header_fits(header, got, stamp)) {
        CloseHandle(file);
        return none;
    }
    const size_t bytes = thumb_pixel_bytes(key.edge);
    uint8_t* rows = (uint8_t*)malloc(bytes);
    bool read = rows && ReadFile(file, rows, (DWORD)bytes, &got, nullptr) && got == bytes;
    CloseHandle(file);
    if (!read) {
        free(rows);
        return none;
    }
    return CachedRows{rows, key.edge};
}

HBITMAP cached_thumbnail_bitmap(CachedRows rows, HDC dc) {
    if (!rows.rows) return nullptr;
    // A section in the cache's own format: the image list copies it without
    // the round trip through the screen's format.
    BITMAPINFO info = thumb_bitmap_info(rows.edge);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) memcpy(bits, rows.rows, thumb_pixel_bytes(rows.edge));
    free(rows.rows);
    return bitmap;
}

void store_cached_thumbnail(const ThumbKey& key, HBITMAP bitmap, HDC dc) {
    char name[260];
    const int edge = key.edge;
    if (!bitmap || !cache_file_name(key, name)) return;
    uint8_t* pixels = (uint8_t*)malloc(thumb_pixel_bytes(edge));
    BITMAPINFO info = thumb_bitmap_info(edge);
    if (!pixels || GetDIBits(dc, bitmap, 0, edge, pixels, &info, DIB_RGB_COLORS) != edge) {
        free(pixels);
        return;
    }
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        uint8_t header[kThumbHeaderBytes];
        thumb_header_pack(ThumbStamp{(uint32_t)key.modified, (uint32_t)(key.modified >> 32), key.file_size, edge}, header);
        DWORD written;
        WriteFile(file, header, sizeof header, &written, nullptr);
        WriteFile(file, pixels, (DWORD)thumb_pixel_bytes(edge), &written, nullptr);
        CloseHandle(file);
    }
    free(pixels);
}

void clear_thumbnail_cache() {
    const char* folder = ensure_thumb_cache_folder();
    char pattern[280];
    if (!folder[0]) return;
    wsprintfA(pattern, "%s*.tmb", folder);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        char path[280];
        // The pattern also matches longer extensions through their short names.
        if (!extension_equal(path_extension(found.cFileName), ".tmb")) continue;
        if (strlen(folder) + strlen(found.cFileName) >= 260) continue;
        wsprintfA(path, "%s%s", folder, found.cFileName);
        DeleteFileA(path);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}

BITMAPINFO thumb_bitmap_info(int edge) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = edge;
    info.bmiHeader.biHeight = edge;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void thumb_cache_use_temp_folder(const char* folder) {
    s_temp_overridden = folder != nullptr;
    if (folder) lstrcpynA(s_temp_override, folder, sizeof s_temp_override);
    s_computed = false;
}
