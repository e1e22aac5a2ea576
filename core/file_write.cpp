#include "core/file_write.h"

#include <string.h>

#ifdef _WIN32
// The replace step has no portable form: the C library's rename refuses an
// existing target on Windows.
#include <io.h>
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

int64_t s_fail_after = -1;

const size_t kPathBytes = 260;

// The folder part of path with its trailing separator, or "" for a bare name.
bool folder_of(const char* path, char* folder) {
    const char* end = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') end = p + 1;
    size_t length = (size_t)(end - path);
    if (length >= kPathBytes) return false;
    memcpy(folder, path, length);
    folder[length] = 0;
    return true;
}

#ifdef _WIN32

FILE* open_temporary(const char* path, char* temp) {
    char folder[kPathBytes];
    if (!folder_of(path, folder)) return nullptr;
    // Creates the file under a fresh name; the folder must leave room for it.
    if (strlen(folder) + 14 >= kPathBytes || !GetTempFileNameA(folder[0] ? folder : ".", "lum", 0, temp)) return nullptr;
    FILE* file = fopen(temp, "wb");
    if (!file) DeleteFileA(temp);
    return file;
}

bool flush_to_disk(FILE* file) { return _commit(_fileno(file)) == 0; }

bool replace_file(const char* temp, const char* path) {
    // A read-only file is not to be written over; not every system's move
    // refuses it.
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    // Looked up, not imported: Windows 95 lacks it or only stubs it.
    typedef BOOL(WINAPI * MoveFileExFunction)(const char*, const char*, DWORD);
    MoveFileExFunction move_ex =
        (MoveFileExFunction)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA");
    if (move_ex && move_ex(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    if (move_ex && GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    // Windows 95 cannot replace in one step; the new file is complete by now.
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(path)) return false;
    return MoveFileA(temp, path) != 0;
}

void remove_file(const char* temp) { DeleteFileA(temp); }

#else

FILE* open_temporary(const char* path, char* temp) {
    char folder[kPathBytes];
    if (!folder_of(path, folder)) return nullptr;
    if (strlen(folder) + 14 >= kPathBytes) return nullptr;
    strcpy(temp, folder);
    strcat(temp, "lumXXXXXX");
    int fd = mkstemp(temp);
    if (fd < 0) return nullptr;
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(temp);
    }
    return file;
}

bool flush_to_disk(FILE* file) { return fsync(fileno(file)) == 0; }

bool replace_file(const char* temp, const char* path) { return rename(temp, path) == 0; }

void remove_file(const char* temp) { unlink(temp); }

#endif

}  // namespace

void file_sink_write(FileSink* sink, const void* data, size_t size) {
    if (sink->failed || size == 0) return;
    size_t allowed = size;
    if (s_fail_after >= 0) {
        uint64_t room = sink->written < (uint64_t)s_fail_after ? (uint64_t)s_fail_after - sink->written : 0;
        if (room < allowed) allowed = (size_t)room;
    }
    size_t put = allowed ? fwrite(data, 1, allowed, sink->file) : 0;
    sink->written += put;
    if (put != size) sink->failed = true;
}

bool write_file_replacing(const char* path, FileProducer produce, void* context) {
    if (!path || !produce) return false;
    char temp[kPathBytes];
    FileSink sink = {open_temporary(path, temp), 0, false};
    if (!sink.file) return false;
    bool ok = produce(&sink, context) && !sink.failed;
    ok = ok && fflush(sink.file) == 0 && !ferror(sink.file) && flush_to_disk(sink.file);
    ok = (fclose(sink.file) == 0) && ok;
    if (ok && replace_file(temp, path)) return true;
    remove_file(temp);
    return false;
}

void file_sink_fail_after(int64_t bytes) { s_fail_after = bytes; }
