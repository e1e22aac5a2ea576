// Files a test writes into the build tree's scratch folder. Header-only, for
// the native and the Windows tests.
#pragma once
#include <stdio.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include <string>
#include <vector>

#ifndef LUMORA_SCRATCH
#define LUMORA_SCRATCH "scratch"
#endif

// The scratch folder, or a folder made in it, and its path.
inline std::string scratch_folder(const std::string& name = "") {
    std::string path = name.empty() ? std::string(LUMORA_SCRATCH) : std::string(LUMORA_SCRATCH) + "/" + name;
#ifdef _WIN32
    _mkdir(path.c_str());
#else
    mkdir(path.c_str(), 0755);
#endif
    return path;
}

inline std::string scratch_path(const std::string& name) { return scratch_folder() + "/" + name; }

inline std::string write_scratch(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::string path = scratch_path(name);
    if (FILE* f = fopen(path.c_str(), "wb")) {
        if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return path;
}

inline std::vector<unsigned char> read_whole(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        unsigned char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
        fclose(f);
    }
    return bytes;
}
