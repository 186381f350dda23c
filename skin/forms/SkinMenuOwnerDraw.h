#pragma once
// Switching the skin's owner drawing of menus on and off: the popup menus of a form (and of the
// forms it holds), its main menus, one item tree (a tool bar's menu), and the native drop-downs
// of a skinned menu bar. An item that draws or measures itself keeps its own handler for that,
// and switching off takes away only the skin's own handlers.

#include "platform/user/WinUser.h"

class TComponent;
class TMenuItem;
class TSkinData;

// With xcPopupMenu: every popup menu of the form whose Tag is not the DisableTag draws itself,
// its items with the skin item painter and, unless they measure themselves, the popup measurer.
void SwitchPopupMenus(TSkinData& skinData, TComponent& form, bool on);
// With xcMenuItem: every main menu of the form draws itself; the items below the bar get the
// skin item painter and the main-menu measurer.
void SwitchMainMenus(TSkinData& skinData, TComponent& form, bool on);
// Every item of the tree gets the painter and the main-menu measurer; off takes the painter.
void SwitchMenuItemTree(TSkinData& skinData, TMenuItem& root, bool on);
// Every item of a native menu and its submenus becomes owner-drawn.
void MakeMenuOwnerDrawn(HMENU menu);

// Whether an item's handlers are the skin's.
bool HasSkinPainter(const TMenuItem& item);
bool HasSkinMeasurer(const TMenuItem& item);
