// Files written whole or not at all: the bytes go to a new file in the
// target's folder, which replaces the target only once every byte is on disk.
// A full disk, a failed encoder or a crash mid-write leaves the old file as
// it was.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

// Where a writer puts its bytes. A short write marks the sink failed and the
// file is not installed.
struct FileSink {
    FILE* file;
    uint64_t written;
    bool failed;
};

void file_sink_write(FileSink* sink, const void* data, size_t size);

// Fills the sink; false when it could not make its bytes.
typedef bool (*FileProducer)(FileSink* sink, void* context);

// Runs produce into a temporary file next to path and, when it succeeds and
// the file is flushed and closed without error, puts it in place of path.
// False otherwise, with path untouched and the temporary file removed.
bool write_file_replacing(const char* path, FileProducer produce, void* context);

// Test hook: every sink accepts this many bytes and fails the rest, as a
// full disk would; negative turns the hook off.
void file_sink_fail_after(int64_t bytes);
