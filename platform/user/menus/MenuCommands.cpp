#include "platform/user/menus/MenuCommands.h"

#include "platform/user/WinUser.h"
#include "platform/user/Window.h"
#include "platform/user/WindowProcedures.h"
#include "platform/user/menus/MenuBar.h"
#include "platform/user/menus/MenuKeys.h"
#include "platform/user/menus/MenuTracker.h"
#include "platform/user/menus/SystemMenu.h"

namespace platform {

namespace {

// Alt pressed and released with no other key between enters the menu bar.
bool g_altAlone = false;

constexpr LPARAM PreviousKeyState = 1 << 30;

// Alt with a letter: the bar item with that mnemonic, else the owner's WM_MENUCHAR.
void KeyMenuWithCharacter(Window& window, WCHAR character) {
    Menu* bar = BarMenuOf(window);
    if (!bar) {
        MessageBeep(0);
        return;
    }
    MnemonicMatch match = FindMnemonic(*bar, character, -1);
    int item = match.item;
    if (item < 0) {
        LRESULT answer = SendToWindow(window, WM_MENUCHAR, MAKEWPARAM(character, 0),
                                      reinterpret_cast<LPARAM>(bar->handle));
        WORD action = HIWORD(static_cast<DWORD>(answer));
        if (action == MNC_EXECUTE || action == MNC_SELECT)
            item = LOWORD(static_cast<DWORD>(answer));
        if (item < 0 || static_cast<size_t>(item) >= bar->items.size()) {
            if (action != MNC_CLOSE)
                MessageBeep(0);
            return;
        }
    }
    TrackBar(window, std::nullopt, item, true);
}

void KeyMenu(Window& window, LPARAM lParam) {
    WCHAR character = static_cast<WCHAR>(lParam);
    if (character == u' ') {
        if (window.style & WS_SYSMENU)
            TrackSystemMenuBelowIcon(window, true);
        return;
    }
    if (character == u'-')
        return; // the system menu of an MDI child, which this platform has not
    if (character != 0) {
        KeyMenuWithCharacter(window, character);
        return;
    }
    if (BarMenuOf(window))
        TrackBar(window, std::nullopt, 0, false);
}

} // namespace

bool MenuSystemCommand(Window& window, WPARAM wParam, LPARAM lParam) {
    WPARAM command = wParam & 0xFFF0;
    if (command == SC_KEYMENU) {
        KeyMenu(window, lParam);
        return true;
    }
    if (command != SC_MOUSEMENU)
        return false;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if ((wParam & 0x000F) == HTSYSMENU)
        TrackSystemMenuBelowIcon(window, false);
    else
        TrackBar(window, at, -1, true);
    return true;
}

void MenuKey(Window& window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool keyDown = message == WM_SYSKEYDOWN || message == WM_KEYDOWN;
    if (keyDown) {
        if (wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) {
            g_altAlone = false;
            SendToWindow(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.handle), -1);
            return;
        }
        if (wParam == VK_MENU || wParam == VK_F10) {
            if (!(lParam & PreviousKeyState))
                g_altAlone = true;
        } else {
            g_altAlone = false;
        }
        return;
    }
    if (message != WM_SYSKEYUP && message != WM_KEYUP)
        return;
    if ((wParam == VK_MENU || wParam == VK_F10) && g_altAlone) {
        g_altAlone = false;
        if (Window* top = TopLevelOf(window))
            SendToWindow(*top, WM_SYSCOMMAND, SC_KEYMENU, 0);
    }
}

void DefaultContextMenu(Window& window, LPARAM lParam) {
    if (lParam == -1 || !(window.style & WS_SYSMENU))
        return;
    LRESULT code = SendToWindow(window, WM_NCHITTEST, 0, lParam);
    if (code == HTCAPTION || code == HTSYSMENU)
        TrackSystemMenu(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, false, true);
}

void ForgetMenusOf(Window& window) {
    ForgetSystemMenu(window.handle);
    if (Menu* bar = BarMenuOf(window))
        DestroyMenu(bar->handle);
}

} // namespace platform
