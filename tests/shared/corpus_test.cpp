// The decoders against independent decoders, in both builds: every row of
// tests/corpus/manifest.txt opened as the viewer opens it (all frames, EXIF
// applied) and as the browser does (the first alone), its size probed, its
// header recognised.
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include "core/formats.h"
#include "core/load_set.h"
#include "core/loader.h"
#include "tests/support/reference.h"
#include "tests/support/scratch.h"

namespace {

struct ManifestRow {
    char file[128], reference[128];
    int tolerance, frames;
};

void check_row(const ManifestRow& row) {
    SCOPED_TRACE(row.file);
    std::string path = data_path(row.file);
    ImageSet set = {};
    char message[kMessageBytes];
    ASSERT_EQ(load_image_set(path.c_str(), &set, message), kLoadSetOk) << message;
    EXPECT_STREQ(message, "");
    EXPECT_EQ(set.count, row.frames);
    RefPicture want;
    for (int i = 0; i < set.count && i < row.frames; ++i) {
        std::string name = row.reference;
        if (name.find("%d") != std::string::npos) name.replace(name.find("%d"), 2, std::to_string(i));
        ASSERT_TRUE(read_ppm(data_path(name), &want)) << name;
        ASSERT_NE(set.frames[i], nullptr) << "frame " << i;
        EXPECT_EQ(compare_with_reference(set.frames[i], want, row.tolerance), "") << "frame " << i;
    }
    image_set_free(&set);
    // The browser's one-picture load gives the first frame of the same view.
    std::string first = row.reference;
    if (first.find("%d") != std::string::npos) first.replace(first.find("%d"), 2, "0");
    Decoded single;
    single.image = load_upright_image(path.c_str(), single.message);
    ASSERT_TRUE(single.image && read_ppm(data_path(first), &want)) << single.message;
    EXPECT_EQ(compare_with_reference(single.image, want, row.tolerance), "") << "first frame alone";

    const FormatRow* by_name = format_for_extension(row.file);
    ASSERT_NE(by_name, nullptr);
    // DCX files have no size probe: the library's query does not read them.
    int w = 0, h = 0;
    bool sized = strcmp(by_name->name, "DCX") != 0;
    EXPECT_EQ(probe_image_size(path.c_str(), &w, &h), sized);
    if (sized) { EXPECT_EQ(std::make_pair(w, h), std::make_pair(want.width, want.height)); }
    // Files of an independent encoder carry the signature their format's row expects.
    std::vector<unsigned char> head = read_whole(path);
    head.resize(kMaxSignatureBytes, 0);
    if (by_name->signatures[0].length) {
        EXPECT_EQ(format_for_header(head.data()), by_name);
    }
}

}  // namespace

TEST(Corpus, EveryFileMatchesItsIndependentDecode) {
    FILE* manifest = fopen(LUMORA_CORPUS_MANIFEST, "r");
    ASSERT_NE(manifest, nullptr) << LUMORA_CORPUS_MANIFEST;
    char line[512];
    int rows = 0;
    while (fgets(line, sizeof line, manifest)) {
        ManifestRow row;
        if (line[0] == '#' || sscanf(line, "%127s", row.file) != 1) continue;
        ASSERT_EQ(sscanf(line, "%127s %127s %d %d", row.file, row.reference, &row.tolerance, &row.frames), 4) << line;
        check_row(row);
        ++rows;
    }
    fclose(manifest);
    EXPECT_GE(rows, 60) << "manifest rows read";
}
