#include "platform/display/x11/X11WindowBridge.h"

#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"

namespace platform::x11 {

void RequestClose(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void FollowDesktopPlacement(HWND window, const RECT& screenRect) {
    RECT now{};
    if (!GetWindowRect(window, &now) || EqualRect(&now, &screenRect))
        return;
    SetWindowPos(window, nullptr, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                 screenRect.bottom - screenRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ActivateFromDesktop(HWND window) {
    if (IsWindowVisible(window) && IsWindowEnabled(window) && GetActiveWindow() != window)
        SetActiveWindow(window);
}

} // namespace platform::x11
