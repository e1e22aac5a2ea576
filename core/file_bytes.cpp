#include "core/file_bytes.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "core/decode_message.h"

FileReadResult file_bytes_read(const char* path, size_t max_bytes, FileBytes* out) {
    out->data = nullptr;
    out->size = 0;
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
            return kFileReadNoMemory;
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
            return kFileReadNoMemory;
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
        return kFileReadOpenFailed;
    }
    out->data = data;
    out->size = size;
    return kFileReadOk;
}

bool file_bytes_read_for_decoder(const char* path, size_t max_bytes, FileBytes* out, char* message) {
    switch (file_bytes_read(path, max_bytes, out)) {
    case kFileReadOk:
        return true;
    case kFileReadNoMemory:
        set_message(message, kMsgNoMemory);
        return false;
    default:
        set_message(message, kMsgOpenFailed);
        return false;
    }
}

void file_bytes_free(FileBytes* bytes) {
    free(bytes->data);
    bytes->data = nullptr;
    bytes->size = 0;
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
