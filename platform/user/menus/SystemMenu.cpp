#include "platform/user/menus/SystemMenu.h"

#include "platform/user/FrameLayout.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/WindowClass.h"
#include "platform/user/menus/MenuTracker.h"

#include <map>

namespace platform {

namespace {

std::map<HWND, HMENU>& Copies() {
    static std::map<HWND, HMENU> copies;
    return copies;
}

void AddItem(HMENU menu, UINT command, const char* text, HBITMAP bitmap) {
    AppendMenuA(menu, MF_STRING, command, text);
    if (bitmap) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = bitmap;
        SetMenuItemInfoA(menu, command, FALSE, &info);
    }
}

// Windows with a minimise or maximise box get the whole menu; dialogs and tool windows only
// move, size (when sizeable) and close.
HMENU BuildSystemMenu(const Window& window) {
    HMENU menu = CreatePopupMenu();
    bool boxes = (window.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && !(window.exStyle & WS_EX_TOOLWINDOW);
    if (boxes)
        AddItem(menu, SC_RESTORE, "还原(&R)", HBMMENU_POPUP_RESTORE);
    AddItem(menu, SC_MOVE, "移动(&M)", nullptr);
    if (boxes || (window.style & WS_THICKFRAME))
        AddItem(menu, SC_SIZE, "大小(&S)", nullptr);
    if (boxes) {
        AddItem(menu, SC_MINIMIZE, "最小化(&N)", HBMMENU_POPUP_MINIMIZE);
        AddItem(menu, SC_MAXIMIZE, "最大化(&X)", HBMMENU_POPUP_MAXIMIZE);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    // A document window of an MDI frame closes with Ctrl+F4 and passes on to the next one.
    if (window.exStyle & WS_EX_MDICHILD) {
        AddItem(menu, SC_CLOSE, "关闭(&C)\tCtrl+F4", HBMMENU_POPUP_CLOSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AddItem(menu, SC_NEXTWINDOW, "下一个(&T)\tCtrl+F6", nullptr);
    } else {
        AddItem(menu, SC_CLOSE, "关闭(&C)\tAlt+F4", HBMMENU_POPUP_CLOSE);
    }
    SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
    return menu;
}

void Enable(HMENU menu, UINT command, bool enabled) {
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

} // namespace

HMENU SystemMenuOf(HWND handle) {
    Window* window = FindLiveWindow(handle);
    if (!window)
        return nullptr;
    HMENU& copy = Copies()[handle];
    if (!IsMenu(copy))
        copy = BuildSystemMenu(*window);
    return copy;
}

void UpdateSystemMenuStates(HWND handle) {
    Window* window = FindLiveWindow(handle);
    HMENU menu = window ? SystemMenuOf(handle) : nullptr;
    if (!menu)
        return;
    DWORD style = window->style;
    bool minimized = (style & WS_MINIMIZE) != 0;
    bool maximized = (style & WS_MAXIMIZE) != 0;
    Enable(menu, SC_RESTORE, minimized || maximized);
    Enable(menu, SC_MOVE, !maximized);
    Enable(menu, SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
    Enable(menu, SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
    Enable(menu, SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
    bool noClose = window->windowClass && (window->windowClass->style & CS_NOCLOSE);
    Enable(menu, SC_CLOSE, !noClose);
}

void TrackSystemMenu(Window& window, POINT at, bool keyboard, bool rightButton) {
    HMENU menu = SystemMenuOf(window.handle);
    if (!menu)
        return;
    TrackOptions options;
    options.owner = window.handle;
    options.flags = rightButton ? TPM_RIGHTBUTTON : 0;
    options.fromPopupCall = false;
    options.systemMenu = true;
    options.keyboard = keyboard;
    UINT command = 0;
    TrackPopup(menu, at, options, command);
}

void TrackSystemMenuBelowIcon(Window& window, bool keyboard) {
    RECT onScreen = WindowRectOnScreen(window);
    SIZE size{onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    FrameLayout layout = LayoutFrame(size, window.style, window.exStyle, 0);
    RECT icon = IsRectEmptyish(layout.systemMenuButton) ? layout.caption : layout.systemMenuButton;
    POINT at{onScreen.left + icon.left, onScreen.top + layout.caption.bottom + 1};
    if (IsRectEmptyish(layout.caption))
        at = {onScreen.left + layout.frame.cx, onScreen.top + layout.frame.cy};
    TrackSystemMenu(window, at, keyboard, false);
}

bool IsSystemMenuOf(HWND window, HMENU menu) {
    auto it = Copies().find(window);
    return it != Copies().end() && it->second == menu;
}

void ForgetSystemMenu(HWND window) {
    auto it = Copies().find(window);
    if (it == Copies().end())
        return;
    DestroyMenu(it->second);
    Copies().erase(it);
}

} // namespace platform

HMENU GetSystemMenu(HWND handle, BOOL revert) {
    if (!platform::WindowFromHandle(handle))
        return nullptr;
    if (revert) {
        platform::ForgetSystemMenu(handle);
        return nullptr;
    }
    return platform::SystemMenuOf(handle);
}
