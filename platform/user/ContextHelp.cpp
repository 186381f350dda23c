#include "platform/user/ContextHelp.h"

#include "platform/user/Input.h"
#include "platform/user/WinUser.h"

namespace platform {

namespace {

void AskForHelp(HWND top, POINT screen) {
    HWND target = WindowFromPoint(screen);
    // Only the window's own controls answer; a click outside it ends the mode quietly.
    if (!target || (target != top && !IsChild(top, target)))
        return;
    HELPINFO help{};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.iCtrlId = GetDlgCtrlID(target);
    help.hItemHandle = target;
    help.dwContextId = 0;
    help.MousePos = screen;
    SendMessageW(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}

} // namespace

void RunContextHelp(Window& window) {
    HWND handle = window.handle;
    SetCapture(handle);
    SetCursor(LoadCursorA(nullptr, IDC_HELP));
    MSG message;
    for (;;) {
        if (!IsWindow(handle) || GetCapture() != handle)
            return;
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        UINT id = message.message;
        if (id == WM_LBUTTONDOWN || id == WM_NCLBUTTONDOWN) {
            ReleaseCapture();
            AskForHelp(handle, message.pt);
            return;
        }
        if (id == WM_RBUTTONDOWN || id == WM_NCRBUTTONDOWN ||
            (id == WM_KEYDOWN && message.wParam == VK_ESCAPE))
            break;
        if ((id >= WM_MOUSEFIRST && id <= WM_MOUSELAST) ||
            (id >= WM_NCMOUSEMOVE && id <= WM_NCMBUTTONDBLCLK)) {
            SetCursor(LoadCursorA(nullptr, IDC_HELP));
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (GetCapture() == handle)
        ReleaseCapture();
}

} // namespace platform
