// Whole-file reads: each decoder takes its file as one block of memory, with
// its own size limit, and decodes from memory. Large files on local disks are
// mapped rather than copied: no second copy of a 40 MB scan in the heap, and
// no time spent committing and filling one.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct FileBytes {
    const uint8_t* data;  // read-only; the caller releases it with file_bytes_free
    size_t size;
    bool mapped;          // a view of the file rather than a heap block
};

enum FileReadResult {
    kFileReadOk = 0,
    kFileReadOpenFailed,  // cannot open it
    kFileReadFailed,      // opened, but reading it failed
    kFileReadTooLarge,    // larger than max_bytes
    kFileReadNoMemory,    // the allocation failed
};

// A file of 0 bytes succeeds with size 0 and a non-null block.
FileReadResult file_bytes_read(const char* path, size_t max_bytes, FileBytes* out);
// Files from this size on are mapped where the system allows it; smaller ones
// cost less to read.
const size_t kMapFromBytes = (size_t)1 << 20;
void file_bytes_free(FileBytes* bytes);
// The same for a decoder: false with "Dosya acilamadi.", "Okuma hatasi." or
// "Bellek yetersiz." in its message buffer; a file above max_bytes gets
// `too_large` (a format's own size rule), "Bellek yetersiz." when null.
bool file_bytes_read_for_decoder(const char* path, size_t max_bytes, FileBytes* out, char* message,
                                 const char* too_large = nullptr);

// Reads up to n bytes from the start of the file into buf, zero-filling the
// rest; returns the count read or -1 when the file cannot be opened.
int file_read_head(const char* path, uint8_t* buf, size_t n);
// The same for a decoder: -1 with "Dosya acilamadi." in its message buffer.
int file_read_head_for_decoder(const char* path, uint8_t* buf, size_t n, char* message);
