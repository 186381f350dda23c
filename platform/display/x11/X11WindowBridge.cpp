#include "platform/display/x11/X11WindowBridge.h"

#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"

#include <algorithm>

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

void MinimizeFromDesktop(HWND window) {
    if (!IsIconic(window))
        ShowWindow(window, SW_MINIMIZE);
}

void RestoreFromDesktop(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
}

std::u16string WindowTitle(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::u16string title(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
    int copied =
        GetWindowTextW(window, reinterpret_cast<LPWSTR>(title.data()), static_cast<int>(title.size()));
    title.resize(static_cast<size_t>(std::max(copied, 0)));
    return title;
}

} // namespace platform::x11
