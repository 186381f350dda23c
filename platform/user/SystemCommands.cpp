#include "platform/user/SystemCommands.h"

#include "platform/user/ContextHelp.h"
#include "platform/user/Hooks.h"
#include "platform/user/MoveSizeLoop.h"
#include "platform/user/ScrollBarTracking.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowProcedures.h"
#include "platform/user/menus/MenuCommands.h"

namespace platform {

LRESULT DefaultSystemCommand(Window& window, WPARAM wParam, LPARAM lParam) {
    if (CallHookChain(WH_CBT, HCBT_SYSCOMMAND, wParam, lParam))
        return 0;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        SendToWindow(window, WM_CLOSE, 0, 0);
        return 0;
    case SC_MINIMIZE:
        ShowWindow(window.handle, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(window.handle, SW_MAXIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(window.handle, SW_RESTORE);
        return 0;
    case SC_MOVE:
    case SC_SIZE:
        MoveOrSizeWindow(window, wParam, point);
        return 0;
    case SC_CONTEXTHELP:
        RunContextHelp(window);
        return 0;
    case SC_KEYMENU:
    case SC_MOUSEMENU:
        MenuSystemCommand(window, wParam, lParam);
        return 0;
    case SC_VSCROLL:
        TrackScrollBar(window, SB_VERT, point);
        return 0;
    case SC_HSCROLL:
        TrackScrollBar(window, SB_HORZ, point);
        return 0;
    default:
        return 0;
    }
}

} // namespace platform
