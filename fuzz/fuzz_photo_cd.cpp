// A pack around any bytes: the first two choose the file's length near the end
// of the Base image (so cut packs come up too), the third the orientation byte
// and whether the signature is there; the rest fills the Base image's start.
#include <vector>

#include "core/photo_cd.h"
#include "fuzz/support/fuzz_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    size_t length = kPhotoCdBaseEnd - 4096 + (size_t)((data[0] | data[1] << 8) % 8192);
    static std::vector<uint8_t> pack;
    pack.assign(length, 0);
    if (data[2] & 0x80) memcpy(pack.data() + kPhotoCdSignatureAt, "PCD_IPI", 7);
    pack[kPhotoCdOrientationAt] = data[2];
    size_t body = size - 3 < length - kPhotoCdBaseAt ? size - 3 : length - kPhotoCdBaseAt;
    memcpy(pack.data() + kPhotoCdBaseAt, data + 3, body);

    char message[kMessageBytes];
    Image* image = decode_photo_cd(pack.data(), pack.size(), message);
    check_decode(image, message);
    bool turned = (data[2] & 3) == 1 || (data[2] & 3) == 3;
    if (image && (image->width != (turned ? 512 : 768) || image->height != (turned ? 768 : 512))) __builtin_trap();
    image_free(image);
    return 0;
}
