// The caret: one per thread, drawn by inverting its rectangle in the owner window's client
// area, blinking on a timer of the window manager, hidden while its window paints.

#include "platform/gdi/WinGdi.h"
#include "platform/user/Painting.h"
#include "platform/user/Timers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"

namespace platform {

namespace {

constexpr UINT_PTR BlinkTimerId = 0xFFFA;

struct CaretState {
    HWND window = nullptr;
    HBITMAP bitmap = nullptr; // null: solid; (HBITMAP)1: grey; else the shape to invert
    SIZE size{};
    POINT position{};
    int hideCount = 1; // a new caret is hidden
    bool drawn = false;
    UINT blinkTime = 530;
};

CaretState& State() {
    static CaretState state;
    return state;
}

// Inverts the caret's rectangle: drawing it twice leaves the window as it was.
void Invert() {
    CaretState& state = State();
    HDC dc = GetDC(state.window);
    if (!dc)
        return;
    const POINT& at = state.position;
    if (state.bitmap && state.bitmap != reinterpret_cast<HBITMAP>(1)) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, state.bitmap);
        BitBlt(dc, at.x, at.y, state.size.cx, state.size.cy, source, 0, 0, SRCINVERT);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (state.bitmap) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
        PatBlt(dc, at.x, at.y, state.size.cx, state.size.cy, PATINVERT);
        SelectObject(dc, old);
    } else {
        PatBlt(dc, at.x, at.y, state.size.cx, state.size.cy, DSTINVERT);
    }
    ReleaseDC(state.window, dc);
}

void Draw(bool on) {
    CaretState& state = State();
    if (state.drawn == on || !FindLiveWindow(state.window))
        return;
    Invert();
    state.drawn = on;
}

void RestartBlink() {
    CaretState& state = State();
    if (state.window && state.hideCount == 0)
        SetSystemTimer(state.window, BlinkTimerId, state.blinkTime);
    else if (state.window)
        KillSystemTimer(state.window, BlinkTimerId);
}

bool OwnsCaret(HWND window) {
    return window == nullptr || window == State().window;
}

} // namespace

void HideCaretForPaint(HWND window) {
    if (State().window == window && State().window)
        HideCaret(window);
}

void ShowCaretAfterPaint(HWND window) {
    if (State().window == window && State().window)
        ShowCaret(window);
}

void DestroyCaretOf(HWND window) {
    if (State().window == window && window) {
        KillSystemTimer(window, BlinkTimerId);
        State() = CaretState{nullptr, nullptr, {}, {}, 1, false, State().blinkTime};
    }
}

bool BlinkCaret(HWND window, UINT_PTR id) {
    CaretState& state = State();
    if (id != BlinkTimerId || window != state.window)
        return false;
    if (state.hideCount == 0)
        Draw(!state.drawn);
    return true;
}

} // namespace platform

using platform::WindowFromHandle;

BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height) {
    if (!WindowFromHandle(window))
        return FALSE;
    DestroyCaret();
    auto& state = platform::State();
    state.window = window;
    state.bitmap = bitmap;
    if (bitmap && bitmap != reinterpret_cast<HBITMAP>(1)) {
        BITMAP info{};
        if (!GetObjectW(bitmap, sizeof info, &info))
            return FALSE;
        state.size = {info.bmWidth, info.bmHeight};
    } else {
        state.size = {width ? width : GetSystemMetrics(SM_CXBORDER),
                      height ? height : GetSystemMetrics(SM_CYBORDER)};
    }
    state.position = {0, 0};
    state.hideCount = 1;
    state.drawn = false;
    return TRUE;
}

BOOL DestroyCaret() {
    auto& state = platform::State();
    if (!state.window) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    platform::Draw(false);
    platform::DestroyCaretOf(state.window);
    return TRUE;
}

BOOL ShowCaret(HWND window) {
    auto& state = platform::State();
    if (!state.window || !platform::OwnsCaret(window) || state.hideCount == 0)
        return FALSE;
    if (--state.hideCount == 0) {
        platform::Draw(true);
        platform::RestartBlink();
    }
    return TRUE;
}

BOOL HideCaret(HWND window) {
    auto& state = platform::State();
    if (!state.window || !platform::OwnsCaret(window))
        return FALSE;
    if (state.hideCount++ == 0) {
        platform::Draw(false);
        platform::RestartBlink();
    }
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    auto& state = platform::State();
    if (!state.window)
        return FALSE;
    if (state.position.x == x && state.position.y == y)
        return TRUE;
    bool wasDrawn = state.drawn;
    platform::Draw(false);
    state.position = {x, y};
    if (wasDrawn || state.hideCount == 0)
        platform::Draw(true);
    platform::RestartBlink();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT point) {
    auto& state = platform::State();
    if (!point || !state.window)
        return FALSE;
    *point = state.position;
    return TRUE;
}

UINT GetCaretBlinkTime() {
    return platform::State().blinkTime;
}

BOOL SetCaretBlinkTime(UINT milliseconds) {
    platform::State().blinkTime = milliseconds;
    platform::RestartBlink();
    return TRUE;
}
