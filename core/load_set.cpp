#include "core/load_set.h"

#include <stdlib.h>

#include "core/decode_message.h"
#include "core/exif.h"
#include "core/file_bytes.h"
#include "core/formats.h"
#include "core/loader.h"
#include "core/transform.h"

namespace {

// A single picture as a set of one frame without delays; false when memory
// is short (the picture is then freed).
bool set_of_one(Image* image, ImageSet* set) {
    set->frames = (Image**)calloc(1, sizeof(Image*));
    if (!set->frames) {
        image_free(image);
        return false;
    }
    set->frames[0] = image;
    set->count = 1;
    return true;
}

// A failed turn keeps the picture as decoded; false when it needed one
// (memory was short).
bool turn_upright(const char* path, Image** image) {
    int orientation = 1;
    read_exif(path, &orientation, nullptr, 0, nullptr, 0, nullptr, 0);
    Image* turned = image_upright(*image, orientation);
    if (turned) {
        image_free(*image);
        *image = turned;
    }
    return turned || orientation < 2 || orientation > 8;
}

}  // namespace

LoadSetResult load_image_set(const char* path, ImageSet* set, char* message) {
    *set = ImageSet{};
    clear_message(message);
    uint8_t head[kMaxSignatureBytes];
    if (file_read_head_for_decoder(path, head, sizeof head, message) < 0) return kLoadSetCannotOpen;
    // Only the sniffed row's frame loader is asked. A file with a format's
    // signature that its frame loader still rejects (a TIFF magic other than
    // 42, say) falls back to load_image, which fails the same way: a stricter
    // test of the magic here would change nothing the user sees.
    const FormatRow* row = format_for_header(head);
    if (row && row->load_frames && (!row->load_frames(path, set, message) || set->count < 1)) image_set_free(set);
    if (set->count < 1) {
        Image* single = load_image_with_head(path, head, message);
        if (single && !set_of_one(single, set)) set_message(message, kMsgNoMemory);
    }
    if (set->count < 1 || !set->frames[0]) {
        // A null first frame is one whose picture could not be allocated.
        if (message && !message[0]) set_message(message, kMsgNoMemory);
        image_set_free(set);
        return kLoadSetFailed;
    }
    if (set->count == 1 && row && row->upright_by_exif) turn_upright(path, &set->frames[0]);
    return kLoadSetOk;
}

Image* load_upright_image(const char* path, char* message) { return load_upright_image_reduced(path, 0, message); }

Image* load_upright_image_reduced(const char* path, int need, char* message) {
    clear_message(message);
    uint8_t head[kMaxSignatureBytes];
    if (file_read_head_for_decoder(path, head, sizeof head, message) < 0) return nullptr;
    Image* image = need > 0 ? load_image_reduced(path, need, message) : load_image_with_head(path, head, message);
    const FormatRow* row = format_for_header(head);
    if (image && row && row->upright_by_exif && !turn_upright(path, &image)) set_message(message, kMsgNoMemory);
    return image;
}
