#pragma once
// The layer's own "libraries": the platform's system libraries are not files here but names
// of groups of this layer's calls, so code that looks its services up at run time
// (GetModuleHandleA / LoadLibraryA, then GetProcAddress) runs as written. "kernel32.dll" and
// "user32.dll" count as loaded from the start; others, such as "PSAPI.dll", once LoadLibraryA
// has loaded them. A name without extension gets ".dll"; names match without regard to case.

#include "platform/base/WinTypes.h"

// Null with ERROR_MOD_NOT_FOUND when the module is not loaded; null name: the program itself.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// Null with ERROR_MOD_NOT_FOUND for a library the layer does not have.
HMODULE LoadLibraryA(LPCSTR fileName);
// Null with ERROR_PROC_NOT_FOUND when the module has no such entry point (ordinals: none).
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
BOOL FreeLibrary(HMODULE module);

namespace platform {
// The handle of the program's own module, as GetModuleHandleA(nullptr) gives it.
HMODULE MainModuleHandle();

// An entry point from GetProcAddress as the function type it really has.
template <typename Function>
Function ProcAs(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}
} // namespace platform
