#include "platform/user/Cursors.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/WinUser.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

constexpr WORD StandardIds[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};

// Standard cursors live in a handle range of their own, away from every table's values.
constexpr ULONG_PTR StandardBase = 0x7FFF0000;

struct CursorState {
    HCURSOR current = nullptr;
    int showCount = 0;
};

CursorState& State() {
    static CursorState state;
    return state;
}

} // namespace

HCURSOR SystemCursor(LPCSTR id) {
    if (!IS_INTRESOURCE(id))
        return nullptr;
    WORD value = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id));
    if (std::find(std::begin(StandardIds), std::end(StandardIds), value) == std::end(StandardIds))
        return nullptr;
    return reinterpret_cast<HCURSOR>(StandardBase + value);
}

WORD SystemCursorId(HCURSOR cursor) {
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(cursor);
    if (value <= StandardBase || value > StandardBase + 0xFFFF)
        return 0;
    WORD id = static_cast<WORD>(value - StandardBase);
    return std::find(std::begin(StandardIds), std::end(StandardIds), id) != std::end(StandardIds) ? id : 0;
}

} // namespace platform

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    HCURSOR cursor = instance ? nullptr : platform::SystemCursor(name);
    if (!cursor)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return cursor;
}

HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return LoadCursorA(instance, reinterpret_cast<LPCSTR>(name));
}

HCURSOR SetCursor(HCURSOR cursor) {
    auto& state = platform::State();
    HCURSOR previous = state.current;
    if (cursor != previous) {
        state.current = cursor;
        platform::Display().CursorChanged(platform::SystemCursorId(cursor));
    }
    return previous;
}

HCURSOR GetCursor() {
    return platform::State().current;
}

int ShowCursor(BOOL show) {
    auto& state = platform::State();
    state.showCount += show ? 1 : -1;
    platform::Display().CursorShown(state.showCount >= 0);
    return state.showCount;
}

BOOL MessageBeep(UINT) {
    platform::Display().Beep();
    return TRUE;
}
