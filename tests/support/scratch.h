// Files a test writes into the build tree's scratch folder, and on Windows
// folders of a test's own in the temporary folder. Header-only.
#pragma once
#include <stdio.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#include <windows.h>
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

#ifdef _WIN32
// A file written under any name, also one the ANSI code page cannot hold or
// one past 259 characters; `path` is absolute.
inline bool write_file_wide(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    HANDLE f = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (f == INVALID_HANDLE_VALUE) return false;
    WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(f);
    return written == bytes.size();
}

inline bool write_file_wide(const std::string& ascii_path, const std::vector<unsigned char>& bytes) {
    return write_file_wide(std::wstring(ascii_path.begin(), ascii_path.end()), bytes);
}

// Removes a folder (the path ends in a backslash) with all it holds, read-only files too.
inline void remove_tree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((L"\\\\?\\" + dir + L"*").c_str(), &fd);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &fd)) {
        std::wstring path = L"\\\\?\\" + dir + fd.cFileName;
        if (fd.cFileName[0] == L'.') continue;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(path.c_str())) remove_tree(dir + fd.cFileName + L"\\");
    }
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    RemoveDirectoryW((L"\\\\?\\" + dir).c_str());
}
inline void remove_tree(const std::string& ascii_dir) { remove_tree(std::wstring(ascii_dir.begin(), ascii_dir.end())); }

// A new empty folder of the test's own in the temporary folder; the path
// (ASCII) ends in a backslash. remove_tree takes it away again.
inline std::string temp_folder(const std::string& prefix) {
    static int serial = 0;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + prefix + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++serial) + "\\";
    remove_tree(folder);  // left by a run that died: process ids come round
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
#endif
