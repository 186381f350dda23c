#pragma once
// GetModuleFileNameA: the full path (GBK) of the program's own executable.

#include "platform/base/WinTypes.h"

// For a null module or the program's own module handle. A path longer than the buffer is cut
// to size - 1 characters and NUL-terminated; the call then returns `size` with
// ERROR_INSUFFICIENT_BUFFER. Other modules of the layer have no file: 0, ERROR_MOD_NOT_FOUND.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
