#include "platform/user/FrameMessages.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ClassicFrame.h"
#include "platform/user/FrameState.h"
#include "platform/user/NonClientMouse.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"

namespace platform {

namespace {

// Edits and list boxes sit on the window colour, every other control on the button face.
LRESULT ControlColor(UINT message, WPARAM wParam) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_CTLCOLORSCROLLBAR)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    int background =
        message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX ? COLOR_WINDOW : COLOR_3DFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

} // namespace

std::optional<LRESULT> DefaultFrameMessage(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
        PaintClassicFrame(window, reinterpret_cast<HRGN>(wParam));
        return 0;
    case WM_NCACTIVATE:
        SetFrameActive(window.handle, wParam != 0);
        RepaintFrame(window);
        return TRUE;
    case WM_SYSCHAR:
        // Alt with a key asks the top-level window's menu for it; Alt+Space opens the window menu.
        if (Window* top = TopLevelOf(window)) {
            if (!(lParam & (1 << 29)) || wParam == VK_TAB)
                return 0;
            SendToWindow(*top, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        }
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return ControlColor(message, wParam);
    default:
        return DefaultNonClientMouse(window, message, wParam, lParam);
    }
}

} // namespace platform
