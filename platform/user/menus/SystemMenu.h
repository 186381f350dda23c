#pragma once
// Each window's system menu: a copy made on the first GetSystemMenu, its items enabled by the
// window's state and styles before it opens, and where it drops from.

#include "platform/base/WinTypes.h"

namespace platform {

class Window;

// The window's copy, made when asked for the first time.
HMENU SystemMenuOf(HWND window);
// Enables and disables the items by the window's state and styles.
void UpdateSystemMenuStates(HWND window);
// Opens the system menu at a screen point (or below the caption icon).
void TrackSystemMenu(Window& window, POINT at, bool keyboard, bool rightButton);
void TrackSystemMenuBelowIcon(Window& window, bool keyboard);
bool IsSystemMenuOf(HWND window, HMENU menu);
// A destroyed window's copy goes with it.
void ForgetSystemMenu(HWND window);

} // namespace platform
