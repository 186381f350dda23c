// DefMDIChildProc: what an MDI child does with the messages its procedure passes on. It keeps
// the client's idea of the active child in step with focus and activation, fills the MDI
// client when maximised, and hands the frame's keys and menu characters to the frame.

#include "platform/user/mdi/MdiChild.h"

#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/mdi/MdiClient.h"
#include "platform/user/menus/SystemMenu.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

void LimitToMaximizedPlace(HWND child, MINMAXINFO& limits) {
    RECT place = MaximizedChildRect(child);
    limits.ptMaxPosition = {place.left, place.top};
    limits.ptMaxSize = {place.right - place.left, place.bottom - place.top};
    limits.ptMaxTrackSize.x = std::max(limits.ptMaxTrackSize.x, limits.ptMaxSize.x);
    limits.ptMaxTrackSize.y = std::max(limits.ptMaxTrackSize.y, limits.ptMaxSize.y);
}

std::optional<LRESULT> SystemCommand(MdiClientState& state, HWND child, WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
        SendMessageW(state.client, WM_MDINEXT, reinterpret_cast<WPARAM>(child),
                     (wParam & 0xFFF0) == SC_PREVWINDOW ? 1 : 0);
        return 0;
    case SC_KEYMENU:
        // Alt+minus opens the child's own system menu; other menu keys belong to the frame.
        if (lParam == u'-') {
            if (Window* window = WindowFromHandle(child); window && (window->style & WS_SYSMENU))
                TrackSystemMenuBelowIcon(*window, true);
        } else {
            SendMessageW(state.frame, WM_SYSCOMMAND, wParam, lParam);
        }
        return 0;
    default:
        return std::nullopt;
    }
}

LRESULT ChildProcedure(HWND child, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    auto passOn = [&] {
        return unicode ? DefWindowProcW(child, message, wParam, lParam)
                       : DefWindowProcA(child, message, wParam, lParam);
    };
    MdiClientState* state = MdiClientOfChild(child);
    if (!state)
        return passOn();
    HWND client = state->client;
    switch (message) {
    case WM_CHILDACTIVATE:
        ActivateMdiChild(*state, child);
        return 0;
    case WM_SETFOCUS:
        if (state->active != child)
            ActivateMdiChild(*state, child);
        break;
    case WM_CLOSE:
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        return 0;
    case WM_MENUCHAR:
        return SendMessageW(state->frame, WM_MENUCHAR, wParam, lParam);
    case WM_GETMINMAXINFO: {
        LRESULT result = passOn();
        if (lParam)
            LimitToMaximizedPlace(child, *reinterpret_cast<MINMAXINFO*>(lParam));
        return result;
    }
    case WM_SIZE: {
        LRESULT result = passOn();
        if (MdiClientState* alive = MdiClientOfChild(child))
            UpdateMaximizedDecorations(*alive);
        return result;
    }
    case WM_SETTEXT: {
        LRESULT result = passOn();
        if (MdiClientState* alive = MdiClientOfChild(child)) {
            RefreshWindowMenu(*alive);
            SetFrameTitle(*alive, alive->frameTitle);
        }
        return result;
    }
    case WM_SYSCOMMAND:
        if (auto handled = SystemCommand(*state, child, wParam, lParam))
            return *handled;
        break;
    default:
        break;
    }
    return passOn();
}

} // namespace

RECT MaximizedChildRect(HWND child) {
    RECT place{};
    GetClientRect(GetParent(child), &place);
    DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & ~(WS_MAXIMIZE | WS_MINIMIZE);
    DWORD exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
    AdjustWindowRectEx(&place, style, FALSE, exStyle);
    return place;
}

} // namespace platform

LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::ChildProcedure(child, message, wParam, lParam, true);
}

LRESULT DefMDIChildProcA(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::ChildProcedure(child, message, wParam, lParam, false);
}
