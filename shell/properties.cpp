#include "shell/properties.h"

#include "core/exif.h"
#include "core/image.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "shell/properties_pure.h"

namespace {

// 0 when the file cannot be opened for reading.
uint64_t file_size(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    CloseHandle(file);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
    return (uint64_t)high << 32 | low;
}

}  // namespace

void PropertiesText(const char* path, const Image* image, char* out, size_t size) {
    char date[40], make[64], model[64];
    read_exif(path, nullptr, date, sizeof date, make, sizeof make, model, sizeof model);
    PropertiesFacts facts = {path_file_name(path), path, image ? image->width : 0, image ? image->height : 0,
                             file_size(path), date, make, model};
    format_properties_text(tr(kTextPropertiesText), facts, out, size);
}

void ShowProperties(HWND owner, const char* path, const Image* image) {
    if (!path || !path[0]) return;
    char text[1024];
    PropertiesText(path, image, text, sizeof text);
    show_message(owner, text, tr(kTextPropertiesTitle), MB_OK | MB_ICONINFORMATION);
}
