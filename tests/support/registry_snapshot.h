// Keeps a registry key tree as it was: taken (values and sub-keys) and
// removed at the start of a test, put back whole at its end, so the tests
// run against the real key with nothing of the user's in the way.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct RegistryValueCopy {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
};

struct RegistryTreeCopy {
    bool existed = false;
    std::vector<RegistryValueCopy> values;
    std::vector<std::pair<std::wstring, RegistryTreeCopy>> children;
};

inline bool registry_copy_tree(HKEY root, const std::wstring& path, RegistryTreeCopy* out) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    out->existed = true;
    wchar_t name[16384];
    DWORD name_len = 16384, type = 0, size = 0;
    for (DWORD i = 0; RegEnumValueW(key, i, name, &name_len, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
         ++i, name_len = 16384) {
        RegistryValueCopy v{std::wstring(name, name_len), type, std::vector<BYTE>(size)};
        RegQueryValueExW(key, v.name.c_str(), nullptr, &v.type, size ? v.data.data() : nullptr, &size);
        v.data.resize(size);
        out->values.push_back(v);
    }
    for (DWORD i = 0; RegEnumKeyExW(key, i, name, &(name_len = 256), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i) {
        out->children.emplace_back(name, RegistryTreeCopy());
        registry_copy_tree(key, name, &out->children.back().second);
    }
    RegCloseKey(key);
    return true;
}

inline void registry_delete_tree(HKEY root, const std::wstring& path) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        wchar_t name[256];
        DWORD name_len;
        while (RegEnumKeyExW(key, 0, name, &(name_len = 256), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            registry_delete_tree(key, name);
        RegCloseKey(key);
    }
    RegDeleteKeyW(root, path.c_str());
}

inline void registry_write_tree(HKEY root, const std::wstring& path, const RegistryTreeCopy& tree) {
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    for (const RegistryValueCopy& v : tree.values)
        RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.empty() ? nullptr : v.data.data(), (DWORD)v.data.size());
    for (const auto& child : tree.children) registry_write_tree(key, child.first, child.second);
    RegCloseKey(key);
}

// Takes the tree away on construction and puts it back on destruction.
struct RegistrySnapshot {
    HKEY root;
    std::wstring path;
    RegistryTreeCopy saved;
    RegistrySnapshot(HKEY r, const std::wstring& p) : root(r), path(p) {
        registry_copy_tree(root, path, &saved);
        registry_delete_tree(root, path);
    }
    ~RegistrySnapshot() {
        registry_delete_tree(root, path);
        if (saved.existed) registry_write_tree(root, path, saved);
    }
};

// One value of 4 bytes; false when it is missing or of another size.
inline bool registry_read_dword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD* value, DWORD* type = nullptr) {
    HKEY key;
    if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD t = 0, size = sizeof *value;
    LONG r = RegQueryValueExW(key, name, nullptr, &t, (BYTE*)value, &size);
    RegCloseKey(key);
    if (type) *type = t;
    return r == ERROR_SUCCESS && size == sizeof *value;
}
