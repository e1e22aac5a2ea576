#include "core/file_bytes.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

enum MapResult { kMapped, kMapTooLarge, kMapNotAFile, kNotMapped };

#ifdef _WIN32

// Only files on local fixed disks: a view of a network or removable file
// faults when the medium goes away, where a read merely fails.
bool on_fixed_disk(const char* path) {
    char root[4] = {path[0], ':', '\\', 0};
    return path[0] && path[1] == ':' && (path[2] == '\\' || path[2] == '/') &&
           GetDriveTypeA(root) == DRIVE_FIXED;
}

MapResult map_file(const char* path, size_t max_bytes, FileBytes* out) {
    if (!on_fixed_disk(path)) return kNotMapped;
    // No write sharing: nobody can change the file while it is decoded (a
    // writer already at work makes this fail, and the file is read instead).
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kNotMapped;
    DWORD high = 0, low = GetFileSize(file, &high);
    uint64_t size = (uint64_t)high << 32 | low;
    MapResult result = kNotMapped;
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    } else if (size > max_bytes) {
        result = kMapTooLarge;
    } else if (size >= kMapFromBytes) {
        HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        // The view keeps the mapping and the file open by itself.
        void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, (SIZE_T)size) : nullptr;
        if (mapping) CloseHandle(mapping);
        if (view) {
            *out = FileBytes{(const uint8_t*)view, (size_t)size, true};
            result = kMapped;
        }
    }
    CloseHandle(file);
    return result;
}

void unmap(FileBytes* bytes) { UnmapViewOfFile((void*)bytes->data); }

#else

MapResult map_file(const char* path, size_t max_bytes, FileBytes* out) {
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return kNotMapped;
    struct stat st;
    MapResult result = kNotMapped;
    if (fstat(fd, &st) != 0) {
    } else if (S_ISDIR(st.st_mode)) {
        result = kMapNotAFile;  // the C library opens folders here, and reads nonsense sizes
    } else if (!S_ISREG(st.st_mode)) {
    } else if ((uint64_t)st.st_size > max_bytes) {
        result = kMapTooLarge;
    } else if ((uint64_t)st.st_size >= kMapFromBytes) {
        void* view = mmap(nullptr, (size_t)st.st_size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED) {
            *out = FileBytes{(const uint8_t*)view, (size_t)st.st_size, true};
            result = kMapped;
        }
    }
    close(fd);
    return result;
}

void unmap(FileBytes* bytes) { munmap((void*)bytes->data, bytes->size); }

#endif

}  // namespace

FileReadResult file_bytes_read(const char* path, size_t max_bytes, FileBytes* out) {
    *out = FileBytes{nullptr, 0, false};
    switch (map_file(path, max_bytes, out)) {
    case kMapped:
        return kFileReadOk;
    case kMapTooLarge:
        return kFileReadTooLarge;
    case kMapNotAFile:
        return kFileReadOpenFailed;
    case kNotMapped:
        break;
    }
    FILE* f = fopen(path, "rb");
    if (!f) return kFileReadOpenFailed;
    // Read in growing chunks rather than trusting a seek to the end: that also
    // works for files that change size or do not report one.
    size_t cap = 1 << 16, size = 0;
    long reported = -1;
    if (fseek(f, 0, SEEK_END) == 0) reported = ftell(f);
    fseek(f, 0, SEEK_SET);
    if (reported > 0) {
        if ((unsigned long)reported > max_bytes) {
            fclose(f);
            return kFileReadTooLarge;
        }
        cap = (size_t)reported + 1;  // one more byte shows whether it grew
    }
    uint8_t* data = (uint8_t*)malloc(cap);
    if (!data) {
        fclose(f);
        return kFileReadNoMemory;
    }
    for (;;) {
        size_t got = fread(data + size, 1, cap - size, f);
        size += got;
        if (size < cap) break;
        if (cap > max_bytes) {  // read max_bytes + 1: too big
            free(data);
            fclose(f);
            return kFileReadTooLarge;
        }
        size_t next = cap * 2 > max_bytes + 1 ? max_bytes + 1 : cap * 2;
        uint8_t* grown = (uint8_t*)realloc(data, next);
        if (!grown) {
            free(data);
            fclose(f);
            return kFileReadNoMemory;
        }
        data = grown;
        cap = next;
    }
    bool error = ferror(f) != 0;
    fclose(f);
    if (error) {
        free(data);
        return kFileReadFailed;
    }
    out->data = data;
    out->size = size;
    return kFileReadOk;
}

bool file_bytes_read_for_decoder(const char* path, size_t max_bytes, FileBytes* out, char* message,
                                 const char* too_large) {
    switch (file_bytes_read(path, max_bytes, out)) {
    case kFileReadOk:
        return true;
    case kFileReadNoMemory:
        set_message(message, kMsgNoMemory);
        return false;
    case kFileReadTooLarge:
        set_message(message, too_large ? too_large : kMsgNoMemory);
        return false;
    case kFileReadFailed:
        set_message(message, kMsgReadFailed);
        return false;
    default:
        set_message(message, kMsgOpenFailed);
        return false;
    }
}

void file_bytes_free(FileBytes* bytes) {
    if (bytes->mapped) unmap(bytes);
    else free((void*)bytes->data);
    *bytes = FileBytes{nullptr, 0, false};
}

int file_read_head_for_decoder(const char* path, uint8_t* buf, size_t n, char* message) {
    int got = file_read_head(path, buf, n);
    if (got < 0) set_message(message, kMsgOpenFailed);
    return got;
}

int file_read_head(const char* path, uint8_t* buf, size_t n) {
    memset(buf, 0, n);
    FILE* f = fopen(path, "rb");
    if (!f) return -1;
    size_t got = fread(buf, 1, n, f);
    fclose(f);
    return (int)got;
}
