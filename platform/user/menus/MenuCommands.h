#pragma once
// What the default window procedure does for menus: the menu commands of WM_SYSCOMMAND
// (SC_KEYMENU, SC_MOUSEMENU), the Alt and F10 keys that enter the menu bar, Shift+F10 and the
// right button asking for a context menu, the system menu on the caption, and the menus a
// destroyed window takes with it.

#include "platform/base/WinTypes.h"

namespace platform {

class Window;

// SC_KEYMENU and SC_MOUSEMENU; false for other commands.
bool MenuSystemCommand(Window& window, WPARAM wParam, LPARAM lParam);
// The keys of the menus, seen by the default procedure (WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN).
void MenuKey(Window& window, UINT message, WPARAM wParam, LPARAM lParam);
// The default WM_CONTEXTMENU of a top-level window: the system menu when the point is on the
// caption.
void DefaultContextMenu(Window& window, LPARAM lParam);
// The window's menu bar and system menu copy are destroyed with it.
void ForgetMenusOf(Window& window);

} // namespace platform
