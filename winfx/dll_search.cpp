#include "winfx/dll_search.h"

#include <windows.h>

namespace winfx {

void LoadDllsFromSystemOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    // Looked up, not imported, so that the program still starts where it is missing.
    const auto setDirectories = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDirectories != nullptr) {
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    SetDllDirectoryW(L"");
}

}  // namespace winfx
