// Whole-file reads: each decoder takes its file into one heap block, with its
// own size limit, and decodes from memory.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct FileBytes {
    uint8_t* data;  // malloc'd; the caller frees it with file_bytes_free
    size_t size;
};

enum FileReadResult {
    kFileReadOk = 0,
    kFileReadOpenFailed,  // cannot open or read it
    kFileReadNoMemory,    // larger than max_bytes or the allocation failed
};

// A file of 0 bytes succeeds with size 0 and a non-null block.
FileReadResult file_bytes_read(const char* path, size_t max_bytes, FileBytes* out);
void file_bytes_free(FileBytes* bytes);
// The same for a decoder: false with "Dosya acilamadi." or "Bellek yetersiz."
// in its message buffer.
bool file_bytes_read_for_decoder(const char* path, size_t max_bytes, FileBytes* out, char* message);

// Reads up to n bytes from the start of the file into buf, zero-filling the
// rest; returns the count read or -1 when the file cannot be opened.
int file_read_head(const char* path, uint8_t* buf, size_t n);
// The same for a decoder: -1 with "Dosya acilamadi." in its message buffer.
int file_read_head_for_decoder(const char* path, uint8_t* buf, size_t n, char* message);
