// Stand-ins for the wide functions that the compiler's own libraries import:
// libgcc's locks create semaphores with CreateSemaphoreW, and the C
// run-time's start of printf and rand_s finds msvcrt and advapi32 with
// GetModuleHandleW and LoadLibraryW. Windows 95 and 98 export no working
// form of these, and a missing import stops the loader. Defining the import
// slots here keeps the linker from taking them from kernel32's import
// library; the stand-ins call the 8-bit functions every Windows has.
//
// This file is linked into every program as an object of its own (an
// archive member would be taken too late: the libraries that need these
// slots come after the program's archives on the link line).
#include <windows.h>

namespace {

// The runtime passes plain names of system DLLs and no semaphore names.
bool narrow_name(LPCWSTR wide, char* narrow) {
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, nullptr, nullptr) > 0) return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

HMODULE WINAPI get_module_handle_w(LPCWSTR name) {
    char narrow[MAX_PATH];
    if (!name) return GetModuleHandleA(nullptr);
    return narrow_name(name, narrow) ? GetModuleHandleA(narrow) : nullptr;
}

HMODULE WINAPI load_library_w(LPCWSTR name) {
    char narrow[MAX_PATH];
    return name && narrow_name(name, narrow) ? LoadLibraryA(narrow) : nullptr;
}

HANDLE WINAPI create_semaphore_w(LPSECURITY_ATTRIBUTES security, LONG initial, LONG maximum, LPCWSTR name) {
    char narrow[MAX_PATH];
    if (name && !narrow_name(name, narrow)) return nullptr;
    return CreateSemaphoreA(security, initial, maximum, name ? narrow : nullptr);
}

}  // namespace

// The import slot's symbol: __imp__Name@argument-bytes on 32-bit Windows,
// __imp_Name on 64-bit.
#if defined(__i386__)
#define LUMORA_IMPORT_SLOT(name, bytes) __asm__("__imp__" #name "@" #bytes)
#else
#define LUMORA_IMPORT_SLOT(name, bytes) __asm__("__imp_" #name)
#endif

extern "C" {
extern HMODULE(WINAPI* const lumora_get_module_handle_w)(LPCWSTR) LUMORA_IMPORT_SLOT(GetModuleHandleW, 4);
extern HMODULE(WINAPI* const lumora_load_library_w)(LPCWSTR) LUMORA_IMPORT_SLOT(LoadLibraryW, 4);
extern HANDLE(WINAPI* const lumora_create_semaphore_w)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    LUMORA_IMPORT_SLOT(CreateSemaphoreW, 16);

HMODULE(WINAPI* const lumora_get_module_handle_w)(LPCWSTR) = get_module_handle_w;
HMODULE(WINAPI* const lumora_load_library_w)(LPCWSTR) = load_library_w;
HANDLE(WINAPI* const lumora_create_semaphore_w)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR) = create_semaphore_w;
}
