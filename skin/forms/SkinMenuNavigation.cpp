#include "skin/forms/SkinMenuNavigation.h"

#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/WinSkinMenu.h"

#include <string>

namespace {

// The one drop-down of a menu bar that the thread tracks.
struct TNavigation {
    TWinSkinMenu* bar = nullptr;
    HHOOK hook = nullptr;
    int current = -1;
    bool firstMessage = true;
    bool switching = false;
    bool tracking = false;
    // Where the pointer was last seen; a move reported at the same place (a display does so
    // when a drop-down appears or goes under the resting pointer) switches nothing.
    POINT lastMouse{-1, -1};
};

TNavigation g_navigation;

POINT WindowOrigin(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top};
}

// The open menu windows of the thread, the newest last.
int OpenMenuWindows(HMENU* deepest) {
    struct Found {
        int count = 0;
        HWND newest = nullptr;
    } found;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            char name[16] = "";
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32768" && IsWindowVisible(window)) {
                auto* result = reinterpret_cast<Found*>(data);
                ++result->count;
                result->newest = window;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    *deepest =
        found.newest ? reinterpret_cast<HMENU>(SendMessageA(found.newest, MN_GETHMENU, 0, 0)) : nullptr;
    return found.count;
}

// Whether the selected item of the menu opens a submenu; false when nothing is selected.
bool SelectionHasSubItems(HMENU menu) {
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE)
            return GetSubMenu(menu, i) != nullptr;
    }
    return false;
}

int Neighbour(int index, int step) {
    const int count = g_navigation.bar->ButtonCount();
    return count > 0 ? (index + step + count) % count : -1;
}

// The button an arrow key moves to, or -1 when the menu handles the key itself.
int ArrowTarget(WPARAM key) {
    HMENU deepest = nullptr;
    const int open = OpenMenuWindows(&deepest);
    if (key == VK_LEFT && open <= 1)
        return Neighbour(g_navigation.current, -1);
    if (key == VK_RIGHT && !SelectionHasSubItems(deepest))
        return Neighbour(g_navigation.current, +1);
    return -1;
}

void SwitchTo(int target) {
    TWinSkinMenu& bar = *g_navigation.bar;
    g_navigation.switching = true;
    const RECT& r = bar.Button(target).rect;
    const POINT origin = WindowOrigin(bar.Window());
    PostMessageA(bar.Window(), WM_NCLBUTTONDOWN, HTMENU,
                 MAKELPARAM(origin.x + r.left + 1, origin.y + r.top + 1));
}

void WatchKey(MSG& message, int& target) {
    if (g_navigation.bar->RightToLeft() && (message.wParam == VK_LEFT || message.wParam == VK_RIGHT))
        message.wParam = message.wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
    switch (message.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
        g_navigation.switching = false;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        target = ArrowTarget(message.wParam);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code != MSGF_MENU || !message || !g_navigation.bar)
        return CallNextHookEx(g_navigation.hook, code, wParam, lParam);
    if (g_navigation.firstMessage) {
        g_navigation.firstMessage = false;
        PostMessageA(message->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    int target = -1;
    switch (message->message) {
    case WM_KEYDOWN:
        WatchKey(*message, target);
        break;
    case WM_SYSKEYDOWN:
        if (message->wParam == VK_MENU)
            g_navigation.tracking = false;
        break;
    case WM_MENUSELECT:
        // The platform sends this notification rather than posting it, so a filter does not
        // see it there; the close notification is still handled for a loop that posts it.
        if (HIWORD(message->wParam) == 0xFFFF && message->lParam == 0 && !g_navigation.switching)
            g_navigation.tracking = false;
        break;
    case WM_MOUSEMOVE:
        if (message->pt.x != g_navigation.lastMouse.x || message->pt.y != g_navigation.lastMouse.y) {
            g_navigation.lastMouse = message->pt;
            const POINT origin = WindowOrigin(g_navigation.bar->Window());
            target = g_navigation.bar->ButtonAt({message->pt.x - origin.x, message->pt.y - origin.y});
        }
        break;
    default:
        break;
    }
    if (target >= 0 && target != g_navigation.current && !g_navigation.switching)
        SwitchTo(target);
    return CallNextHookEx(g_navigation.hook, code, wParam, lParam);
}

} // namespace

bool MenuBarTracking() {
    return g_navigation.tracking;
}

int CurrentMenuBarButton() {
    return g_navigation.current;
}

void ForgetMenuBar(const TWinSkinMenu& bar) {
    if (g_navigation.bar != &bar)
        return;
    g_navigation.bar = nullptr;
    EndMenu();
}

void OpenMenuBarDropDown(TWinSkinMenu& bar, int index) {
    if (index < 0 || index >= bar.ButtonCount() || g_navigation.bar)
        return;
    const TMenuBtn& button = bar.Button(index);
    HWND window = bar.Window();
    PostMessageA(window, WM_COMMAND, button.command, 0);
    HMENU dropDown = button.dropDown;
    if (!dropDown)
        return;
    MakeMenuOwnerDrawn(dropDown);
    if (TSkinManage* manager = SkinManager())
        manager->SetMenuMode(mmMenuBar);
    g_navigation = TNavigation{};
    g_navigation.bar = &bar;
    g_navigation.current = index;
    g_navigation.tracking = true;
    GetCursorPos(&g_navigation.lastMouse);
    g_navigation.hook = SetWindowsHookExW(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
    if (button.enabled) {
        const POINT origin = WindowOrigin(window);
        const bool rightToLeft = bar.RightToLeft();
        const int x = origin.x + (rightToLeft ? button.rect.right : button.rect.left);
        const UINT align = rightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        TrackPopupMenu(dropDown, align | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, origin.y + button.rect.bottom, 0,
                       window, nullptr);
    }
    UnhookWindowsHookEx(g_navigation.hook);
    g_navigation = TNavigation{};
}
