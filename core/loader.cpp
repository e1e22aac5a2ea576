#include "core/loader.h"

#include "core/decode_message.h"
#include "core/file_bytes.h"
#include "core/stb_adapter.h"

Image* load_image(const char* path, char* message) {
    char own_message[kMessageBytes];
    if (!message) message = own_message;
    clear_message(message);

    uint8_t head[kMaxSignatureBytes];
    if (file_read_head_for_decoder(path, head, sizeof head, message) < 0) return nullptr;
    return load_image_with_head(path, head, message);
}

namespace {

Image* load_with_row(const char* path, const uint8_t head[kMaxSignatureBytes], int need, char* message) {
    clear_message(message);  // a frame loader tried before may have left its reason
    const FormatRow* row = format_for_file(head, path);
    if (!row || !row->load) {
        set_message(message, kMsgUnknownFormat);
        return nullptr;
    }
    return need > 0 && row->load_reduced ? row->load_reduced(path, need, message) : row->load(path, message);
}

}  // namespace

Image* load_image_with_head(const char* path, const uint8_t head[kMaxSignatureBytes], char* message) {
    return load_with_row(path, head, 0, message);
}

Image* load_image_reduced(const char* path, int need, char* message) {
    char own_message[kMessageBytes];
    if (!message) message = own_message;
    clear_message(message);
    uint8_t head[kMaxSignatureBytes];
    if (file_read_head_for_decoder(path, head, sizeof head, message) < 0) return nullptr;
    return load_with_row(path, head, need, message);
}

bool probe_image_size(const char* path, int* width, int* height) {
    const FormatRow* row = format_for_extension(path);
    SizeProbe probe = row && row->probe ? row->probe : probe_with_stb;
    int w = 0, h = 0;
    if (!probe(path, &w, &h) || w < 1 || w > kMaxImageSide || h < 1 || h > kMaxImageSide) return false;
    *width = w;
    *height = h;
    return true;
}
