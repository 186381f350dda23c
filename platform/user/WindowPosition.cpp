// Placing windows: SetWindowPos with its messages, showing, minimising and maximising, and the
// geometry queries.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/display/Display.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/Hooks.h"
#include "platform/user/IconSlots.h"
#include "platform/user/Painting.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>

namespace platform {

namespace {

SIZE SizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

bool SameSize(const RECT& a, const RECT& b) {
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

RECT OffsetRectBy(RECT rect, int dx, int dy) {
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

bool HasFocusInside(const Window& window) {
    Window* focus = FocusWindowRecord();
    return focus && (focus == &window || IsAncestorOf(window, *focus));
}

void TellDisplayAboutPlacement(Window& window, bool moved, bool shown, bool hidden, bool restacked) {
    if (!window.IsTopLevel())
        return;
    DisplayBackend& display = Display();
    if (moved)
        display.SurfaceMoved(window.handle, WindowRectOnScreen(window));
    if (shown)
        display.SurfaceShown(window.handle, true);
    if (hidden)
        display.SurfaceShown(window.handle, false);
    if (restacked)
        PublishStacking();
}

// Owned windows stay above their owner when the owner comes up.
void RaiseOwnedWindows(Window& owner) {
    std::vector<Window*> owned;
    for (Window* w : DesktopWindow().children) {
        if (w->owner == &owner)
            owned.push_back(w);
    }
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        LinkIntoZOrder(**it, HWND_TOP);
}

} // namespace

MINMAXINFO AskMinMaxInfo(Window& window) {
    RECT work = Display().WorkArea();
    SIZE frame = FrameThickness(window.style, window.exStyle);
    MINMAXINFO info{};
    info.ptMaxSize = {work.right - work.left + 2 * frame.cx, work.bottom - work.top + 2 * frame.cy};
    info.ptMaxPosition = {work.left - frame.cx, work.top - frame.cy};
    info.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendToWindow(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

bool PlaceWindow(Window& window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    HWND handle = window.handle;
    RECT oldWindow = window.windowRect;
    RECT oldClient = window.clientRect;
    bool wasVisible = window.IsVisibleStyle();
    if ((flags & SWP_SHOWWINDOW) && wasVisible)
        flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !wasVisible)
        flags &= ~SWP_HIDEWINDOW;
    // Child windows are not activated; they hear of it instead, after the move.
    bool childActivation = window.IsChild() && !(flags & SWP_NOACTIVATE);
    if (!window.IsTopLevel() || (window.style & WS_CHILD))
        flags |= SWP_NOACTIVATE;

    WINDOWPOS position{handle, insertAfter, x, y, std::max(width, 0), std::max(height, 0), flags};
    if (flags & SWP_NOMOVE) {
        position.x = oldWindow.left;
        position.y = oldWindow.top;
    }
    if (flags & SWP_NOSIZE) {
        position.cx = oldWindow.right - oldWindow.left;
        position.cy = oldWindow.bottom - oldWindow.top;
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendToWindow(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
        if (!FindLiveWindow(handle))
            return false;
    }
    flags = position.flags;
    RECT newWindow = {position.x, position.y, position.x + std::max(position.cx, 0),
                      position.y + std::max(position.cy, 0)};
    bool sizeChanged = !SameSize(newWindow, oldWindow);
    bool moved = newWindow.left != oldWindow.left || newWindow.top != oldWindow.top;

    RECT newClient = OffsetRectBy(oldClient, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
    if (sizeChanged || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = newWindow;
        params.rgrc[1] = oldWindow;
        params.rgrc[2] = oldClient;
        params.lppos = &position;
        SendToWindow(window, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!FindLiveWindow(handle))
            return false;
        newClient = params.rgrc[0];
    }
    window.windowRect = newWindow;
    window.clientRect = newClient;
    if (SameSize(newClient, oldClient))
        position.flags |= SWP_NOCLIENTSIZE;
    if (newClient.left == oldClient.left && newClient.top == oldClient.top)
        position.flags |= SWP_NOCLIENTMOVE;

    bool restacked = false;
    if (!(flags & SWP_NOZORDER)) {
        Window* sibling = nullptr;
        if (position.hwndInsertAfter != HWND_TOP && position.hwndInsertAfter != HWND_BOTTOM &&
            position.hwndInsertAfter != HWND_TOPMOST && position.hwndInsertAfter != HWND_NOTOPMOST) {
            sibling = FindLiveWindow(position.hwndInsertAfter);
        }
        if (!sibling || (sibling->parent == window.parent && sibling != &window)) {
            LinkIntoZOrder(window, position.hwndInsertAfter);
            if (window.IsTopLevel() && !(flags & SWP_NOOWNERZORDER))
                RaiseOwnedWindows(window);
            restacked = window.IsTopLevel();
        }
    }
    if (flags & SWP_SHOWWINDOW)
        window.style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW)
        window.style &= ~WS_VISIBLE;
    if (window.IsTopLevel())
        EnsureBackingStore(window);
    TellDisplayAboutPlacement(window, moved || sizeChanged, (flags & SWP_SHOWWINDOW) != 0,
                              (flags & SWP_HIDEWINDOW) != 0, restacked);
    RepaintAfterPlacement(window, oldWindow, flags, !SameSize(newClient, oldClient));
    if (!FindLiveWindow(handle))
        return false;

    if ((flags & SWP_SHOWWINDOW) && !(flags & SWP_NOACTIVATE) && window.IsTopLevel()) {
        ActivateWindow(&window, WA_ACTIVE, false);
        if (!FindLiveWindow(handle))
            return false;
    }
    SendToWindow(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    if (!FindLiveWindow(handle))
        return false;
    if (childActivation && window.IsVisibleStyle()) {
        SendToWindow(window, WM_CHILDACTIVATE, 0, 0);
        if (!FindLiveWindow(handle))
            return false;
    }

    if (flags & SWP_HIDEWINDOW) {
        if (ActiveWindowRecord() == &window)
            ActivateOtherWindow(window);
        if (FindLiveWindow(handle) && HasFocusInside(window))
            SetFocusTo(window.IsChild() && window.parent && !window.parent->IsDesktop() ? window.parent
                                                                                        : nullptr);
    }
    return true;
}

namespace {

// A child window shown keeps its place among its siblings (the order they were made in);
// activating it (an MDI child) is what brings it forward.
UINT KeepChildPlace(const Window& window) {
    return window.IsChild() ? SWP_NOZORDER : 0;
}

// Moves a window between the normal, minimised and maximised states and shows it.
bool ChangeState(Window& window, int command, bool activate) {
    HWND handle = window.handle;
    bool minimize = command == SW_SHOWMINIMIZED || command == SW_MINIMIZE || command == SW_SHOWMINNOACTIVE ||
                    command == SW_FORCEMINIMIZE;
    bool maximize = command == SW_SHOWMAXIMIZED;
    bool restore = !minimize && !maximize;
    if (CallHookChain(WH_CBT, HCBT_MINMAX, reinterpret_cast<WPARAM>(handle), command))
        return false;
    if (!FindLiveWindow(handle))
        return false;
    bool wasNormal = !(window.style & (WS_MINIMIZE | WS_MAXIMIZE));
    if (wasNormal)
        window.placement.normalRect = window.windowRect;
    RECT target = window.placement.normalRect;
    if (minimize) {
        window.placement.restoreToMaximized = (window.style & WS_MAXIMIZE) != 0;
        window.style = (window.style & ~WS_MAXIMIZE) | WS_MINIMIZE;
        POINT at = window.placement.minPosition;
        // A minimised child lies in a free slot at the bottom of its parent; a top-level window
        // leaves the screen for the desktop's icon.
        if (at.x == -1 && at.y == -1)
            at = window.IsChild() ? FreeIconSlot(window) : POINT{-32000, -32000};
        target = {at.x, at.y, at.x + GetSystemMetrics(SM_CXMINIMIZED),
                  at.y + GetSystemMetrics(SM_CYMINIMIZED)};
    } else if (maximize || (restore && (window.style & WS_MINIMIZE) && window.placement.restoreToMaximized)) {
        window.style &= ~WS_MINIMIZE;
        MINMAXINFO limits = AskMinMaxInfo(window);
        if (!FindLiveWindow(handle))
            return false;
        window.style |= WS_MAXIMIZE;
        window.placement.maxPosition = limits.ptMaxPosition;
        target = {limits.ptMaxPosition.x, limits.ptMaxPosition.y, limits.ptMaxPosition.x + limits.ptMaxSize.x,
                  limits.ptMaxPosition.y + limits.ptMaxSize.y};
    } else {
        window.style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    }
    if (window.IsTopLevel())
        Display().SurfaceMinimized(handle, minimize);
    UINT flags = SWP_FRAMECHANGED | SWP_STATECHANGED | SWP_SHOWWINDOW | (activate ? 0 : SWP_NOACTIVATE) |
                 (activate ? 0 : KeepChildPlace(window));
    if (!PlaceWindow(window, HWND_TOP, target.left, target.top, target.right - target.left,
                     target.bottom - target.top, flags))
        return false;
    if (minimize && FindLiveWindow(handle) && ActiveWindowRecord() == &window && command != SW_SHOWMINIMIZED)
        ActivateOtherWindow(window);
    return true;
}

// The window for a call that answers into `out`: null when either is missing, with
// ERROR_INVALID_PARAMETER for a missing answer.
Window* WindowAnswering(HWND handle, const void* out) {
    Window* window = WindowFromHandle(handle);
    if (window && !out) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return window;
}

// ClientToScreen (sign 1) and ScreenToClient (sign -1).
BOOL MoveByClientOrigin(HWND handle, LPPOINT point, int sign) {
    Window* window = WindowFromHandle(handle);
    if (!window || !point)
        return FALSE;
    const POINT origin = ClientOriginOnScreen(*window);
    point->x += sign * origin.x;
    point->y += sign * origin.y;
    return TRUE;
}

} // namespace

} // namespace platform

using platform::FindLiveWindow;
using platform::MessageCallScope;
using platform::Window;
using platform::WindowFromHandle;

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (window->IsDesktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!(flags & SWP_NOZORDER) && insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM &&
        insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
        Window* sibling = WindowFromHandle(insertAfter);
        if (!sibling)
            return FALSE;
        if (sibling->parent != window->parent) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (sibling == window)
            flags |= SWP_NOZORDER;
    }
    // Internal flags are the system's to set.
    flags &= ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE | SWP_STATECHANGED);
    return platform::PlaceWindow(*window, insertAfter, x, y, width, height, flags) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(handle, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND handle) {
    return SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND handle, int command) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (window->IsDesktop()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    BOOL wasVisible = window->IsVisibleStyle() ? TRUE : FALSE;
    bool minimized = (window->style & WS_MINIMIZE) != 0;
    bool maximized = (window->style & WS_MAXIMIZE) != 0;
    auto showMessage = [&](bool show) {
        platform::SendToWindow(*window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        return FindLiveWindow(handle) != nullptr;
    };
    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        if (!showMessage(false))
            return wasVisible;
        platform::PlaceWindow(*window, nullptr, 0, 0, 0, 0,
                              SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        if (minimized && wasVisible)
            return wasVisible;
        if (!wasVisible && !showMessage(true))
            return wasVisible;
        platform::ChangeState(*window, command, command == SW_SHOWMINIMIZED);
        return wasVisible;
    case SW_SHOWMAXIMIZED:
        if (!wasVisible && !showMessage(true))
            return wasVisible;
        if (maximized) {
            platform::PlaceWindow(*window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
            return wasVisible;
        }
        platform::ChangeState(*window, command, true);
        return wasVisible;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
        bool activate = command != SW_SHOWNOACTIVATE;
        if (!wasVisible && !showMessage(true))
            return wasVisible;
        if (minimized || maximized) {
            platform::ChangeState(*window, SW_RESTORE, activate);
            return wasVisible;
        }
        platform::PlaceWindow(*window, HWND_TOP, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | platform::KeepChildPlace(*window) |
                                  (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER));
        return wasVisible;
    }
    case SW_SHOW:
    case SW_SHOWNA:
        if (wasVisible)
            return wasVisible;
        if (!showMessage(true))
            return wasVisible;
        platform::PlaceWindow(*window, HWND_TOP, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | platform::KeepChildPlace(*window) |
                                  (command == SW_SHOWNA ? SWP_NOACTIVATE | SWP_NOZORDER : 0));
        return wasVisible;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement) {
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (!placement) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool minimized = (window->style & WS_MINIMIZE) != 0;
    bool maximized = (window->style & WS_MAXIMIZE) != 0;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = minimized && window->placement.restoreToMaximized ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = minimized ? SW_SHOWMINIMIZED : maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement->ptMinPosition =
        minimized ? POINT{window->windowRect.left, window->windowRect.top} : window->placement.minPosition;
    placement->ptMaxPosition = window->placement.maxPosition;
    placement->rcNormalPosition =
        (minimized || maximized) ? window->placement.normalRect : window->windowRect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND handle, const WINDOWPLACEMENT* placement) {
    MessageCallScope scope; // records of windows destroyed meanwhile stay readable
    Window* window = WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (!placement || placement->length != sizeof(WINDOWPLACEMENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->placement.normalRect = placement->rcNormalPosition;
    if (placement->flags & WPF_SETMINPOSITION)
        window->placement.minPosition = placement->ptMinPosition;
    window->placement.maxPosition = placement->ptMaxPosition;
    window->placement.restoreToMaximized = (placement->flags & WPF_RESTORETOMAXIMIZED) != 0;
    if (!(window->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        const RECT& r = placement->rcNormalPosition;
        platform::PlaceWindow(*window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!FindLiveWindow(handle))
        return FALSE;
    ShowWindow(handle, static_cast<int>(placement->showCmd));
    return TRUE;
}

BOOL IsWindowVisible(HWND handle) {
    Window* window = FindLiveWindow(handle);
    return window && platform::IsReallyVisible(*window) ? TRUE : FALSE;
}

BOOL IsIconic(HWND handle) {
    Window* window = FindLiveWindow(handle);
    return window && (window->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND handle) {
    Window* window = FindLiveWindow(handle);
    return window && (window->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect) {
    Window* window = platform::WindowAnswering(handle, rect);
    if (!window)
        return FALSE;
    *rect = platform::WindowRectOnScreen(*window);
    return TRUE;
}

BOOL GetClientRect(HWND handle, LPRECT rect) {
    Window* window = platform::WindowAnswering(handle, rect);
    if (!window)
        return FALSE;
    SIZE size = platform::SizeOf(window->clientRect);
    *rect = {0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL ClientToScreen(HWND handle, LPPOINT point) {
    return platform::MoveByClientOrigin(handle, point, 1);
}

BOOL ScreenToClient(HWND handle, LPPOINT point) {
    return platform::MoveByClientOrigin(handle, point, -1);
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    POINT fromOrigin{0, 0};
    POINT toOrigin{0, 0};
    if (from) {
        Window* window = WindowFromHandle(from);
        if (!window)
            return 0;
        fromOrigin = platform::ClientOriginOnScreen(*window);
    }
    if (to) {
        Window* window = WindowFromHandle(to);
        if (!window)
            return 0;
        toOrigin = platform::ClientOriginOnScreen(*window);
    }
    int dx = fromOrigin.x - toOrigin.x;
    int dy = fromOrigin.y - toOrigin.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Lay out a large window and measure how far its client area lies from its edges.
    constexpr LONG Probe = 10000;
    style &= ~(WS_VSCROLL | WS_HSCROLL | WS_MINIMIZE);
    platform::FrameLayout layout =
        platform::LayoutFrame({Probe, Probe}, style, exStyle, menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->left -= layout.client.left;
    rect->top -= layout.client.top;
    rect->right += Probe - layout.client.right;
    rect->bottom += Probe - layout.client.bottom;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
    return AdjustWindowRectEx(rect, style, menu, 0);
}
