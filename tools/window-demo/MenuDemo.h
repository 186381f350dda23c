#pragma once
// The menu window of window-demo: a menu bar with drop-downs, a cascade, check and radio
// items and shortcuts, a context menu on the right button, and the last command shown.

#include "platform/user/WinUser.h"

// Registers the class and opens the window; null when it cannot. `closed` runs when it is
// destroyed.
HWND OpenMenuDemo(int x, int y, int width, int height, void (*closed)());
// The shortcuts of the menu window's items.
HACCEL MenuDemoAccelerators();
