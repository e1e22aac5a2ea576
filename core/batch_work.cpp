#include "core/batch_work.h"
#include "core/ascii_case.h"

#include <string.h>
#include <sys/stat.h>

#include "core/decode_message.h"
#include "core/formats.h"
#include "core/header_probe.h"
#include "core/load_set.h"
#include "core/resize_rules.h"
#include "core/stb_adapter.h"
#include "core/transform.h"

namespace {

const int kPathChars = 260;

Image* load_as_shown(const char* path) {
    char message[kMessageBytes];
    return load_upright_image(path, message);
}

bool exists(const char* path) {
    struct stat facts;
    return stat(path, &facts) == 0;
}

}  // namespace

BatchOutcome batch_convert_file(const char* path, int format, int quality) {
    Image* picture = load_as_shown(path);
    if (!picture) return kBatchUnreadable;
    char target[kPathChars];
    BatchOutcome outcome = kBatchNotWritten;
    if (converted_output_path(path, format, target, sizeof target)) {
        // Rewriting the source would only lose quality (the file systems
        // Lumora writes to ignore case).
        if (equal_ignoring_case(target, path)) outcome = kBatchDone;
        else if (!exists(target) && save_image(target, picture, format, quality)) outcome = kBatchDone;
    }
    image_free(picture);
    return outcome;
}

BatchOutcome batch_resize_file(const char* path, const BatchSize& size, int quality) {
    Image* picture = load_as_shown(path);
    if (!picture) return kBatchUnreadable;
    int w = size.width, h = size.height;
    if (size.percent >= 1) size_from_percent(size.percent, picture->width, picture->height, &w, &h);
    Image* smaller = image_resize(picture, w < 1 ? 1 : w, h < 1 ? 1 : h);
    image_free(picture);
    char target[kPathChars];
    int format = 0;
    BatchOutcome outcome = kBatchNotWritten;
    if (smaller && resized_output_path(path, target, sizeof target, &format) &&
        save_image(target, smaller, format, quality))
        outcome = kBatchDone;
    image_free(smaller);
    return outcome;
}

BatchOutcome batch_rotate_file(const char* path, bool clockwise, int quality) {
    const int format = save_format_for_path(path);
    if (!format) return kBatchRefused;
    HeaderFacts facts;
    if (probe_file_header(path, &facts) && facts.alpha_or_deep) return kBatchNotWritten;
    Image* picture = load_as_shown(path);
    if (!picture) return kBatchUnreadable;
    Image* turned = image_rotate90(picture, clockwise ? 1 : 0);
    image_free(picture);
    const bool written = turned && save_image(path, turned, format, quality);
    image_free(turned);
    return written ? kBatchDone : kBatchNotWritten;
}

BatchOutcome batch_file(const char* path, const BatchRequest& request) {
    switch (request.kind) {
    case kBatchConvert: return batch_convert_file(path, request.format, request.quality);
    case kBatchResize: return batch_resize_file(path, request.size, request.quality);
    case kBatchRotate: return batch_rotate_file(path, request.clockwise, request.quality);
    }
    return kBatchUnreadable;
}
