#include "shell/associations_pure.h"
#include "core/ascii_case.h"

#include <string.h>

#include "res/resource.h"

const AssociationRow kAssociationRows[kAssociationRowCount] = {
    {IDC_ASSOC_BMP, "WinLumora.bmp", kTextTypeBitmap, 1, ".bmp;.dib", "Paint.Picture"},
    {IDC_ASSOC_JPEG, "WinLumora.jpg", kTextTypeJpeg, 2, ".jpg;.jpeg;.jpe", nullptr},
    {IDC_ASSOC_PNG, "WinLumora.png", kTextTypePng, 3, ".png", nullptr},
    {IDC_ASSOC_GIF, "WinLumora.gif", kTextTypeGif, 4, ".gif", nullptr},
    {IDC_ASSOC_TIFF, "WinLumora.tif", kTextTypeTiff, 5, ".tif;.tiff", nullptr},
    {IDC_ASSOC_TARGA, "WinLumora.tga", kTextTypeTarga, 7, ".tga", nullptr},
    {IDC_ASSOC_PSD, "WinLumora.psd", kTextTypePhotoshop, 8, ".psd", nullptr},
    {IDC_ASSOC_PIC, "WinLumora.pic", kTextTypePic, 9, ".pic", nullptr},
    {IDC_ASSOC_PNM, "WinLumora.pnm", kTextTypePnm, 10, ".pnm;.pbm;.pgm;.ppm", nullptr},
    {IDC_ASSOC_PCX, "WinLumora.pcx", kTextTypePcx, 11, ".pcx", nullptr},
    {IDC_ASSOC_DCX, "WinLumora.dcx", kTextTypeDcx, 12, ".dcx", nullptr},
    {IDC_ASSOC_IFF, "WinLumora.iff", kTextTypeIff, 13, ".iff;.lbm;.ilbm", nullptr},
    {IDC_ASSOC_WMF, "WinLumora.wmf", kTextTypeWmf, 14, ".wmf", nullptr},
    {IDC_ASSOC_PCD, "WinLumora.pcd", kTextTypePhotoCd, 15, ".pcd", nullptr},
    {IDC_ASSOC_WEBP, "WinLumora.webp", kTextTypeWebp, 16, ".webp", nullptr},
};

const char kAssocBackupValue[] = "WinLumoraBackup";

const char* next_extension(const char* list, char* out, size_t size) {
    if (size) out[0] = 0;
    if (!list || !*list) return nullptr;
    size_t n = strcspn(list, ";");
    if (size) {
        size_t kept = n < size - 1 ? n : size - 1;
        memcpy(out, list, kept);
        out[kept] = 0;
    }
    return list[n] ? list + n + 1 : list + n;
}

namespace {

bool same_word(const char* word, size_t length, const char* wanted) {
    if (strlen(wanted) != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (ascii_lower(word[i]) != wanted[i]) return false;
    return true;
}

}  // namespace

SetupSwitch FindSetupSwitch(const char* command_line) {
    size_t length = 0;
    while (length < 259 && command_line[length]) ++length;
    bool file_assoc = false, unassoc = false;
    bool quoted = false;
    for (size_t i = 0; i < length;) {
        if (command_line[i] == ' ' || command_line[i] == '\t') {
            ++i;
            continue;
        }
        // One argument: up to white space outside quotes. Only an argument
        // with no quote in it can be a switch.
        size_t start = i;
        bool has_quote = false;
        for (; i < length && (quoted || (command_line[i] != ' ' && command_line[i] != '\t')); ++i) {
            if (command_line[i] == '"') {
                quoted = !quoted;
                has_quote = true;
            }
        }
        if (has_quote) continue;
        file_assoc |= same_word(command_line + start, i - start, "/fileassoc");
        unassoc |= same_word(command_line + start, i - start, "/unassoc");
    }
    return file_assoc ? kSwitchFileAssoc : unassoc ? kSwitchUnassoc : kNoSwitch;
}
