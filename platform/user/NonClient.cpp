#include "platform/user/NonClient.h"

#include "platform/user/FrameLayout.h"
#include "platform/user/FrameMessages.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"

namespace platform {

namespace {

RECT ClientFor(const Window& window, const RECT& windowRect) {
    SIZE size = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    FrameLayout layout = LayoutFrame(size, window.style, window.exStyle, MenuBarHeight(window, size.cx));
    return {windowRect.left + layout.client.left, windowRect.top + layout.client.top,
            windowRect.left + layout.client.right, windowRect.top + layout.client.bottom};
}

LRESULT CalculateSize(Window& window, WPARAM wParam, LPARAM lParam) {
    if (!lParam)
        return 0;
    if (wParam) {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        params->rgrc[0] = ClientFor(window, params->rgrc[0]);
    } else {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        *rect = ClientFor(window, *rect);
    }
    return 0;
}

// The client area is the one the window computed, which may differ from the classic frame's: a
// point of the window's own frame that is no border, caption, menu or scroll bar of the classic
// one is nowhere (a window that draws its own frame answers for those points itself).
LRESULT HitTest(Window& window, LPARAM lParam) {
    POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT onScreen = WindowRectOnScreen(window);
    if (!PointInRect(onScreen, screen))
        return HTNOWHERE;
    if (!(window.style & WS_MINIMIZE) && PointInRect(ClientRectOnScreen(window), screen))
        return HTCLIENT;
    POINT point = {screen.x - onScreen.left, screen.y - onScreen.top};
    SIZE size = {onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    FrameLayout layout = LayoutFrame(size, window.style, window.exStyle, MenuBarHeight(window, size.cx));
    LRESULT code = HitTestFrame(layout, point, window.style, window.exStyle);
    return code == HTCLIENT ? HTNOWHERE : code;
}

} // namespace

std::optional<LRESULT> DefaultNonClientMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE:
        return CalculateSize(window, wParam, lParam);
    case WM_NCHITTEST:
        return HitTest(window, lParam);
    default:
        return DefaultFrameMessage(window, message, wParam, lParam);
    }
}

} // namespace platform
