#pragma once
// The owner-drawn items of native menus in a window whose menu bar the skin draws: the drop-downs
// of its buttons (made owner drawn before they open) and its system menu. A framework form's
// items are measured and drawn as its framework items are; the program's own commands that the
// framework does not know are left to the window; every other item (the system's commands, all
// items of a bare window) is measured by its text and drawn from the native item.

#include "platform/user/WinUser.h"

class TSkinData;
class TWinSkinMenu;

// WM_MEASUREITEM of a menu item; false when the window's own procedure is to measure it.
bool MeasureNativeMenuItem(TSkinData& skinData, TWinSkinMenu& bar, MEASUREITEMSTRUCT& measure);
// WM_DRAWITEM of a menu item; false when the window's own procedure is to draw it.
bool DrawNativeMenuItem(TSkinData& skinData, TWinSkinMenu& bar, const DRAWITEMSTRUCT& draw);
