// Where the program's later LoadLibrary calls may look for DLLs.
#pragma once

namespace winfx {

// From here on DLLs load from the system folder only, never from the
// program's folder or the current one, where anyone may have dropped a DLL.
// Windows 7 without its 2011 loader update lacks the call and keeps its rules.
void LoadDllsFromSystemOnly();

}  // namespace winfx
