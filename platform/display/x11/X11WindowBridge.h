#pragma once
// What the desktop does to our top-level windows, handed to the window manager: a close
// request, a move or resize made by the desktop's window manager, activation from outside.
// Kept apart from the Xlib sources, whose macros clash with the window manager's names.

#include "platform/base/WinTypes.h"

#include <string>

namespace platform::x11 {

void RequestClose(HWND window);
void FollowDesktopPlacement(HWND window, const RECT& screenRect);
void ActivateFromDesktop(HWND window);
// The desktop made the window an icon, or showed it again from its icon.
void MinimizeFromDesktop(HWND window);
void RestoreFromDesktop(HWND window);
std::u16string WindowTitle(HWND window);

} // namespace platform::x11
