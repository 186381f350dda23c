// The default window procedure: what a window does with a message its own procedure passes
// on.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/Cursors.h"
#include "platform/user/FrameState.h"
#include "platform/user/Hooks.h"
#include "platform/user/NonClient.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemCommands.h"
#include "platform/user/TextBuffers.h"
#include "platform/user/Timers.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"
#include "platform/user/menus/MenuCommands.h"

#include <algorithm>

namespace platform {

namespace {

WPARAM SizeType(const Window& window) {
    if (window.style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    if (window.style & WS_MAXIMIZE)
        return SIZE_MAXIMIZED;
    return SIZE_RESTORED;
}

LRESULT PositionChanged(Window& window, const WINDOWPOS& position) {
    HWND handle = window.handle;
    if (!(position.flags & SWP_NOCLIENTSIZE) || (position.flags & SWP_STATECHANGED)) {
        const RECT& client = window.clientRect;
        SendToWindow(window, WM_SIZE, SizeType(window),
                     MAKELPARAM(static_cast<WORD>(client.right - client.left),
                                static_cast<WORD>(client.bottom - client.top)));
        if (!FindLiveWindow(handle))
            return 0;
    }
    if (!(position.flags & SWP_NOCLIENTMOVE)) {
        SendToWindow(
            window, WM_MOVE, 0,
            MAKELPARAM(static_cast<WORD>(window.clientRect.left), static_cast<WORD>(window.clientRect.top)));
    }
    return 0;
}

LRESULT PositionChanging(Window& window, WINDOWPOS& position) {
    bool sizeable = (window.style & WS_THICKFRAME) || !(window.style & (WS_POPUP | WS_CHILD));
    if ((position.flags & SWP_NOSIZE) || !sizeable || (window.style & (WS_MINIMIZE | WS_MAXIMIZE)))
        return 0;
    MINMAXINFO limits = AskMinMaxInfo(window);
    position.cx = std::clamp<int>(position.cx, limits.ptMinTrackSize.x,
                                  std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
    position.cy = std::clamp<int>(position.cy, limits.ptMinTrackSize.y,
                                  std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
    return 0;
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN;
}

// The parent gets the first say, then the class cursor over the client area and the sizing
// arrows over the frame.
LRESULT SetCursorFor(Window& window, WPARAM wParam, LPARAM lParam) {
    if (window.IsChild() && window.parent && !window.parent->IsDesktop()) {
        if (SendToWindow(*window.parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
    }
    LRESULT code = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
    UINT mouseMessage = HIWORD(static_cast<DWORD_PTR>(lParam));
    switch (code) {
    case HTERROR:
        if (IsButtonDown(mouseMessage))
            MessageBeep(0);
        SetCursor(SystemCursor(IDC_ARROW));
        return FALSE;
    case HTCLIENT:
        if (window.windowClass && window.windowClass->cursor) {
            SetCursor(window.windowClass->cursor);
            return TRUE;
        }
        return FALSE;
    case HTLEFT:
    case HTRIGHT:
        SetCursor(SystemCursor(IDC_SIZEWE));
        return TRUE;
    case HTTOP:
    case HTBOTTOM:
        SetCursor(SystemCursor(IDC_SIZENS));
        return TRUE;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        SetCursor(SystemCursor(IDC_SIZENWSE));
        return TRUE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
    case HTGROWBOX:
        SetCursor(SystemCursor(code == HTGROWBOX ? IDC_SIZENWSE : IDC_SIZENESW));
        return TRUE;
    default:
        SetCursor(SystemCursor(IDC_ARROW));
        return TRUE;
    }
}

LRESULT PassToParent(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window.IsChild() && window.parent && !window.parent->IsDesktop())
        return SendToWindow(*window.parent, message, wParam, lParam);
    return 0;
}

// A right button released over the window asks it for its context menu, at the screen point.
LRESULT AskForContextMenu(Window& window, UINT message, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_RBUTTONUP)
        ClientToScreen(window.handle, &point);
    SendToWindow(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.handle),
                 MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    return 0;
}

LRESULT DefaultProcedure(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto nonClient = DefaultNonClientMessage(window, message, wParam, lParam))
        return *nonClient;
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            window.text = WideView(create->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        window.text = WideView(reinterpret_cast<LPCWSTR>(lParam));
        FrameTextChanged(window);
        return TRUE;
    case WM_GETTEXT:
        return CopyToBuffer(window.text, reinterpret_cast<LPWSTR>(lParam),
                            static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF)));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window.text.size());
    case WM_CLOSE:
        DestroyWindow(window.handle);
        return 0;
    case WM_WINDOWPOSCHANGING:
        return lParam ? PositionChanging(window, *reinterpret_cast<WINDOWPOS*>(lParam)) : 0;
    case WM_WINDOWPOSCHANGED:
        return lParam ? PositionChanged(window, *reinterpret_cast<const WINDOWPOS*>(lParam)) : 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(window.style & WS_MINIMIZE))
            SetFocus(window.handle);
        return 0;
    case WM_MOUSEACTIVATE:
        if (LRESULT answer = PassToParent(window, message, wParam, lParam))
            return answer;
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        return SetCursorFor(window, wParam, lParam);
    case WM_MOUSEWHEEL:
        return PassToParent(window, message, wParam, lParam);
    case WM_CONTEXTMENU:
        if (window.IsChild())
            return PassToParent(window, message, wParam, lParam);
        DefaultContextMenu(window, lParam);
        return 0;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        return AskForContextMenu(window, message, lParam);
    case WM_CANCELMODE:
        if (GetCapture() == window.handle)
            ReleaseCapture();
        return 0;
    case WM_SETREDRAW:
        // Drawing is switched by the visible bit alone, without showing or hiding.
        if (wParam)
            window.style |= WS_VISIBLE;
        else
            window.style &= ~WS_VISIBLE;
        return 0;
    case WM_SYSCOMMAND:
        return DefaultSystemCommand(window, wParam, lParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29))) {
            if (Window* top = TopLevelOf(window))
                SendToWindow(*top, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        MenuKey(window, message, wParam, lParam);
        return 0;
    case WM_SYSKEYUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
        MenuKey(window, message, wParam, lParam);
        return 0;
    case WM_SETICON: {
        HICON previous = wParam == ICON_BIG ? window.bigIcon : window.smallIcon;
        (wParam == ICON_BIG ? window.bigIcon : window.smallIcon) = reinterpret_cast<HICON>(lParam);
        RepaintFrame(window);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? window.bigIcon : window.smallIcon);
    case WM_NCACTIVATE:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(window.handle, &paint))
            EndPaint(window.handle, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseWithClassBrush(window, reinterpret_cast<HDC>(wParam));
    case WM_PRINT:
        return PrintWindowInto(window, reinterpret_cast<HDC>(wParam), lParam);
    case WM_SYSTIMER:
        BlinkCaret(window.handle, wParam);
        return 0;
    default:
        return 0;
    }
}

} // namespace

} // namespace platform

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    platform::Window* window = platform::WindowFromHandle(handle);
    if (!window)
        return 0;
    return platform::DefaultProcedure(*window, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return platform::CallProcedure({DefWindowProcW, true}, handle, message, wParam, lParam, false);
}
