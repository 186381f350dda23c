#include "platform/user/NonClientMouse.h"

#include "platform/user/FrameState.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"

namespace platform {

namespace {

LPARAM PointParam(POINT point) {
    return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

// A caption button that the style does not give works as a disabled button.
bool ButtonEnabled(const Window& window, LRESULT code) {
    switch (code) {
    case HTMINBUTTON:
        return (window.style & WS_MINIMIZEBOX) != 0;
    case HTMAXBUTTON:
        return (window.style & WS_MAXIMIZEBOX) != 0;
    default:
        return true;
    }
}

WPARAM CommandOfButton(const Window& window, LRESULT code) {
    switch (code) {
    case HTCLOSE:
        return SC_CLOSE;
    case HTMINBUTTON:
        return (window.style & WS_MINIMIZE) ? SC_RESTORE : SC_MINIMIZE;
    case HTMAXBUTTON:
        return (window.style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
    default:
        return SC_CONTEXTHELP;
    }
}

// Holds the button down while the pointer stays on it; the release over it is the click.
void TrackCaptionButton(Window& window, LRESULT code) {
    if (!ButtonEnabled(window, code))
        return;
    HWND handle = window.handle;
    SetCapture(handle);
    SetPressedCaptionButton(handle, code);
    RepaintFrame(window);
    bool over = true;
    POINT last{};
    MSG message;
    for (;;) {
        if (!IsWindow(handle) || GetCapture() != handle) {
            over = false;
            break;
        }
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));
            over = false;
            break;
        }
        UINT id = message.message;
        if (id == WM_MOUSEMOVE || id == WM_NCMOUSEMOVE || id == WM_LBUTTONUP || id == WM_NCLBUTTONUP) {
            last = message.pt;
            bool nowOver = SendMessageW(handle, WM_NCHITTEST, 0, PointParam(last)) == code;
            if (nowOver != over) {
                over = nowOver;
                SetPressedCaptionButton(handle, over ? code : HTNOWHERE);
                if (Window* alive = FindLiveWindow(handle))
                    RepaintFrame(*alive);
            }
            if (id == WM_LBUTTONUP || id == WM_NCLBUTTONUP)
                break;
            continue;
        }
        if ((id >= WM_MOUSEFIRST && id <= WM_MOUSELAST) || (id >= WM_NCMOUSEMOVE && id <= WM_NCMBUTTONDBLCLK))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (GetCapture() == handle)
        ReleaseCapture();
    SetPressedCaptionButton(handle, HTNOWHERE);
    Window* alive = FindLiveWindow(handle);
    if (!alive)
        return;
    RepaintFrame(*alive);
    if (over)
        SendToWindow(*alive, WM_SYSCOMMAND, CommandOfButton(*alive, code), PointParam(last));
}

LRESULT ButtonDown(Window& window, LRESULT code, LPARAM lParam) {
    switch (code) {
    case HTCAPTION:
        SendToWindow(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
        return 0;
    case HTLEFT:
    case HTRIGHT:
    case HTTOP:
    case HTTOPLEFT:
    case HTTOPRIGHT:
    case HTBOTTOM:
    case HTBOTTOMLEFT:
    case HTBOTTOMRIGHT:
        SendToWindow(window, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(code - HTLEFT + WMSZ_LEFT), lParam);
        return 0;
    case HTGROWBOX:
        SendToWindow(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lParam);
        return 0;
    case HTVSCROLL:
        SendToWindow(window, WM_SYSCOMMAND, SC_VSCROLL | HTVSCROLL, lParam);
        return 0;
    case HTHSCROLL:
        SendToWindow(window, WM_SYSCOMMAND, SC_HSCROLL | HTHSCROLL, lParam);
        return 0;
    case HTSYSMENU:
    case HTMENU:
        SendToWindow(window, WM_SYSCOMMAND, SC_MOUSEMENU | static_cast<WPARAM>(code), lParam);
        return 0;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
        TrackCaptionButton(window, code);
        return 0;
    default:
        return 0;
    }
}

LRESULT DoubleClick(Window& window, LRESULT code, LPARAM lParam) {
    switch (code) {
    case HTCAPTION:
        // The caption's double click switches between maximised and the restored size.
        if (window.style & WS_MINIMIZE)
            SendToWindow(window, WM_SYSCOMMAND, SC_RESTORE, lParam);
        else if (window.style & WS_MAXIMIZEBOX)
            SendToWindow(window, WM_SYSCOMMAND, (window.style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE,
                         lParam);
        return 0;
    case HTSYSMENU:
        SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
    case HTHSCROLL:
    case HTVSCROLL:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
        // Bars and buttons take a quick second press as another press.
        return ButtonDown(window, code, lParam);
    default:
        return 0;
    }
}

} // namespace

std::optional<LRESULT> DefaultNonClientMouse(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT code = static_cast<LRESULT>(static_cast<int>(wParam));
    switch (message) {
    case WM_NCLBUTTONDOWN:
        // A press on a child window's frame brings it to the top of its siblings, which tells it
        // with WM_CHILDACTIVATE (an MDI child becomes the active one).
        if (window.IsChild() && (window.style & WS_CAPTION) == WS_CAPTION) {
            HWND handle = window.handle;
            SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            Window* alive = FindLiveWindow(handle);
            return alive ? ButtonDown(*alive, code, lParam) : 0;
        }
        return ButtonDown(window, code, lParam);
    case WM_NCLBUTTONDBLCLK:
        return DoubleClick(window, code, lParam);
    default:
        return std::nullopt;
    }
}

} // namespace platform
