// Generate File Listing: a text file of the folder's pictures (or of the
// selected files) with their sizes in bytes and pixels, written whole or
// not at all.
#include <windows.h>
#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "browser/browser.h"
#include "browser/browser_state.h"
#include "browser/listing_pure.h"
#include "core/decode_message.h"
#include "core/file_write.h"
#include "core/header_probe.h"
#include "core/image.h"
#include "core/loader.h"
#include "platform/bridge.h"
#include "platform/text.h"
#include "ui/file_list.h"
#include "ui/file_list_pure.h"
#include "ui/frame.h"
#include "ui/status_bar.h"

namespace {

struct Listing {
    std::vector<int> files;  // indexes into the folder list, in list order
    int steps;               // for the progress bar
    std::string separator;   // the locale's thousands separator
};

// "640x480x16M jpeg" from the first bytes, or from the whole picture when
// they tell nothing; "" for a file that is no picture.
std::string properties_of(const char* path) {
    HeaderFacts facts;
    if (!probe_file_header(path, &facts)) {
        char message[kMessageBytes];
        Image* picture = load_image(path, message);
        if (!picture) return "";
        facts = HeaderFacts{picture->width, picture->height, 24, false};
        image_free(picture);
    }
    return image_properties(facts.width, facts.height, facts.bits, path);
}

bool write_listing(FileSink* sink, void* context) {
    const Listing& listing = *(const Listing*)context;
    char header[128];
    snprintf(header, sizeof header, "%-28s %13s  %s\r\n", "Filename", "Size", "Image Properties");
    file_sink_write(sink, header, strlen(header));
    const std::string rule = std::string(28, '-') + " " + std::string(13, '-') + "  " + std::string(22, '-') + "\r\n";
    file_sink_write(sink, rule.data(), rule.size());
    ShowProgress(listing.steps);
    const FileList& list = g_file_list;
    for (int i : listing.files) {
        const char* path = list.path[i];
        const std::string properties = file_list_is_image(&list, i) ? properties_of(path) : "";
        const std::string line =
            listing_line(file_name_part(path), format_thousands(list.size[i], listing.separator.c_str()), properties);
        file_sink_write(sink, line.data(), line.size());
        StepProgress();
    }
    HideProgress();
    return !sink->failed;
}

}  // namespace

void browser_write_listing() {
    const FileList& list = g_file_list;
    if (!g_frame.BrowseMode || list.count == 0) return;
    Listing listing;
    HWND view = g_browser.list;
    for (int item = view ? ListView_GetNextItem(view, -1, LVNI_SELECTED) : -1; item >= 0;
         item = ListView_GetNextItem(view, item, LVNI_SELECTED)) {
        LPARAM p = list_item_param(view, item);
        if (p >= 0 && p < list.count) listing.files.push_back((int)p);
    }
    listing.steps = browser_selected_count();
    if (listing.files.empty()) {
        for (int i = 0; i < list.count; ++i)
            if (file_list_is_image(&list, i)) listing.files.push_back(i);
        listing.steps = (int)listing.files.size();
    }
    char separator[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    listing.separator = separator;

    char path[kPathBytes] = "Folder Contents.txt";
    const SaveQuestion question = {"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0", "txt", nullptr, nullptr,
                                   OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST};
    if (!save_file_dialog(g_frame.window, question, path)) return;
    if (!write_file_replacing(path, write_listing, &listing)) {
        show_message(g_frame.window, tr(kTextCouldNotCreateListing), tr(kTextProduct), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    show_message(g_frame.window, tr(kTextListingSaved), tr(kTextProduct), MB_OK | MB_ICONINFORMATION);
}
