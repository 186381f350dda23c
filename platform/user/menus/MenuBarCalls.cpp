// The menu bar's calls, and the item rectangles of the bar and of open popups.

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/FrameLayout.h"
#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/menus/MenuTracker.h"
#include "platform/user/menus/SystemMenu.h"

namespace platform {

namespace {

constexpr DWORD ErrorChildWindowMenu = 1436; // ERROR_CHILD_WINDOW_MENU

void RecomputeFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// An item of the window's bar, or of an open popup showing the menu, on the screen.
bool ItemRectOnScreen(HWND handle, HMENU menu, int item, RECT& rect) {
    if (Window* window = handle ? FindLiveWindow(handle) : nullptr) {
        Menu* bar = BarMenuOf(*window);
        if (bar && bar->handle == menu) {
            std::vector<RECT> items = BarItemsOnScreen(*window);
            if (item < 0 || static_cast<size_t>(item) >= items.size())
                return false;
            rect = items[static_cast<size_t>(item)];
            return true;
        }
    }
    MenuLevel* level = LevelOfMenu(menu);
    if (!level || item < 0 || static_cast<size_t>(item) >= level->layout.items.size())
        return false;
    rect = level->layout.items[static_cast<size_t>(item)];
    POINT origin{0, 0};
    ClientToScreen(level->window, &origin);
    OffsetRect(&rect, origin.x, origin.y);
    return true;
}

bool BarInfo(HWND handle, LONG item, MENUBARINFO& info) {
    Window* window = FindLiveWindow(handle);
    Menu* bar = window ? BarMenuOf(*window) : nullptr;
    if (!bar)
        return false;
    info.hMenu = bar->handle;
    bool dropDownOpen = false;
    bool showAccel = false;
    info.fBarFocused = IsBarTracked(handle, &dropDownOpen, &showAccel) ? TRUE : FALSE;
    if (item == 0) {
        RECT band = BarBand(*window);
        RECT onScreen = WindowRectOnScreen(*window);
        OffsetRect(&band, onScreen.left, onScreen.top);
        info.rcBar = band;
    } else {
        std::vector<RECT> items = BarItemsOnScreen(*window);
        if (static_cast<size_t>(item) > items.size())
            return false;
        info.rcBar = items[static_cast<size_t>(item - 1)];
        const MenuItem& barItem = bar->items[static_cast<size_t>(item - 1)];
        info.fFocused = (barItem.state & MFS_HILITE) ? TRUE : FALSE;
        if (MenuLevel* open = barItem.subMenu ? LevelOfMenu(barItem.subMenu) : nullptr)
            info.hwndMenu = open->window;
    }
    return true;
}

bool PopupInfo(HWND handle, LONG item, MENUBARINFO& info) {
    MenuLevel* level = LevelOfWindow(handle);
    if (!level)
        return false;
    info.hMenu = level->menu;
    if (item == 0)
        return GetWindowRect(handle, &info.rcBar);
    if (!ItemRectOnScreen(nullptr, level->menu, item - 1, info.rcBar))
        return false;
    info.fFocused = level->selected == item - 1 ? TRUE : FALSE;
    return true;
}

bool SystemMenuInfo(HWND handle, LONG item, MENUBARINFO& info) {
    Window* window = FindLiveWindow(handle);
    if (!window || !(window->style & WS_SYSMENU) || item > 0)
        return false;
    RECT onScreen = WindowRectOnScreen(*window);
    SIZE size{onScreen.right - onScreen.left, onScreen.bottom - onScreen.top};
    RECT icon = LayoutFrame(size, window->style, window->exStyle, 0).systemMenuButton;
    OffsetRect(&icon, onScreen.left, onScreen.top);
    info.rcBar = icon;
    info.hMenu = SystemMenuOf(handle);
    return true;
}

} // namespace

} // namespace platform

HMENU GetMenu(HWND handle) {
    platform::Window* window = platform::WindowFromHandle(handle);
    if (!window || window->IsChild())
        return nullptr;
    return reinterpret_cast<HMENU>(window->id);
}

BOOL SetMenu(HWND handle, HMENU menu) {
    platform::Window* window = platform::WindowFromHandle(handle);
    if (!window)
        return FALSE;
    if (window->IsChild()) {
        SetLastError(platform::ErrorChildWindowMenu);
        return FALSE;
    }
    if (menu && !platform::MenuFromHandle(menu))
        return FALSE;
    window->id = reinterpret_cast<LONG_PTR>(menu);
    platform::RecomputeFrame(handle);
    return TRUE;
}

BOOL DrawMenuBar(HWND handle) {
    platform::Window* window = platform::WindowFromHandle(handle);
    if (!window)
        return FALSE;
    // The bar's height may change with its items, so the whole frame is laid out again.
    platform::RecomputeFrame(handle);
    return TRUE;
}

BOOL GetMenuBarInfo(HWND handle, LONG object, LONG item, PMENUBARINFO info) {
    if (!platform::WindowFromHandle(handle))
        return FALSE;
    if (!info || info->cbSize != sizeof(MENUBARINFO) || item < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MENUBARINFO answer{};
    answer.cbSize = sizeof answer;
    bool found = false;
    if (object == OBJID_MENU)
        found = platform::BarInfo(handle, item, answer);
    else if (object == OBJID_CLIENT)
        found = platform::PopupInfo(handle, item, answer);
    else if (object == OBJID_SYSMENU)
        found = platform::SystemMenuInfo(handle, item, answer);
    if (!found) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *info = answer;
    return TRUE;
}

BOOL HiliteMenuItem(HWND handle, HMENU menu, UINT item, UINT hilite) {
    platform::Window* window = platform::WindowFromHandle(handle);
    platform::Menu* record = window ? platform::MenuFromHandle(menu) : nullptr;
    if (!record)
        return FALSE;
    platform::ItemPlace place = platform::FindItemOrFail(*record, item, (hilite & MF_BYPOSITION) != 0);
    if (!place.menu)
        return FALSE;
    UINT& state = place.item()->state;
    state = (hilite & MF_HILITE) ? (state | MFS_HILITE) : (state & ~MFS_HILITE);
    if (platform::BarMenuOf(*window) == place.menu)
        platform::RedrawMenuBar(*window);
    return TRUE;
}

BOOL GetMenuItemRect(HWND window, HMENU menu, UINT item, LPRECT rect) {
    if (!platform::MenuFromHandle(menu) || !rect)
        return FALSE;
    return platform::ItemRectOnScreen(window, menu, static_cast<int>(item), *rect) ? TRUE : FALSE;
}

int MenuItemFromPoint(HWND window, HMENU menu, POINT screen) {
    platform::Menu* record = platform::MenuFromHandle(menu);
    if (!record)
        return -1;
    for (size_t i = 0; i < record->items.size(); ++i) {
        RECT r{};
        if (platform::ItemRectOnScreen(window, menu, static_cast<int>(i), r) &&
            platform::PointInRect(r, screen))
            return static_cast<int>(i);
    }
    return -1;
}
