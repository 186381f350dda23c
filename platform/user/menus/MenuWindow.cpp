#include "platform/user/menus/MenuWindow.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"
#include "platform/user/menus/MenuPainter.h"
#include "platform/user/menus/MenuTracker.h"

namespace platform {

namespace {

constexpr DWORD MenuWindowStyle = WS_POPUP | WS_DLGFRAME | WS_CLIPSIBLINGS;

void PrintItems(HWND window, HDC dc) {
    MenuLevel* level = LevelOfWindow(window);
    Menu* menu = level ? FindMenu(level->menu) : nullptr;
    if (!menu)
        return;
    LevelLook look = LookOfWindow(window);
    for (size_t i = 0; i < menu->items.size() && i < level->layout.items.size(); ++i) {
        ItemLook item{static_cast<int>(i) == level->selected, look.showAccel, look.owner, level->menu};
        DrawPopupItem(dc, menu->items[i], level->layout.items[i], level->layout, item);
    }
}

LRESULT CALLBACK MenuWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case MN_GETHMENU: {
        MenuLevel* level = LevelOfWindow(window);
        return reinterpret_cast<LRESULT>(level ? level->menu : nullptr);
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        // The items are drawn through WM_PRINT into the whole window's DC, as a subclass
        // painting the background expects.
        HDC dc = GetWindowDC(window);
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ReleaseDC(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PrintItems(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

void RegisterMenuWindowClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_SAVEBITS | CS_DBLCLKS;
    description.lpfnWndProc = MenuWindowProcedure;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_MENU + 1));
    description.lpszClassName = u"" POPUPMENU_CLASS_NAME;
    RegisterSystemClass(description);
}

HWND CreateMenuWindow(HWND owner, const RECT& onScreen) {
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, u"" POPUPMENU_CLASS_NAME, nullptr,
                           MenuWindowStyle, onScreen.left, onScreen.top, onScreen.right - onScreen.left,
                           onScreen.bottom - onScreen.top, top, nullptr, nullptr, nullptr);
}

int MenuWindowBorder() {
    return GetSystemMetrics(SM_CXDLGFRAME);
}

} // namespace platform
