#pragma once
// The "#32768" class: the window of an open popup menu. It paints its items by sending itself
// WM_PRINT, which reaches WM_PRINTCLIENT through the default procedure, so a procedure that
// subclasses the window can paint its own background first and let the items be drawn over it.

#include "platform/base/WinTypes.h"

namespace platform {

void RegisterMenuWindowClass();
// A hidden menu window at a screen rectangle, owned by the owner's top-level window.
HWND CreateMenuWindow(HWND owner, const RECT& onScreen);
// The frame around the items on each side.
int MenuWindowBorder();

} // namespace platform
