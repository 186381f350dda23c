#pragma once
// Thread hooks: chains of hook procedures per hook type, newest first. A procedure that wants
// the rest of the chain to run calls CallNextHookEx. Hooks removed while a chain runs are
// skipped at once and freed when no chain runs any more.

#include "platform/base/WinTypes.h"

namespace platform {

bool HasHook(int type);

// Runs the chain of one hook type. Where the data differs by character set (a creation record
// with texts), lParamAnsi and lParamWide hold both forms; each procedure gets its own.
LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParamAnsi, LPARAM lParamWide);

inline LRESULT CallHookChain(int type, int code, WPARAM wParam, LPARAM lParam) {
    return CallHookChain(type, code, wParam, lParam, lParam);
}

} // namespace platform
