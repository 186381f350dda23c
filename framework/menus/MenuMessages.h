#pragma once
// What a form does with the messages of its menus (the menu bar's and the popup menus it owns):
// WM_COMMAND from a menu clicks the item of its command, WM_MEASUREITEM and WM_DRAWITEM of an
// owner-drawn item go to the item with a canvas over the menu's device context, WM_MENUCHAR finds
// the mnemonics of owner-drawn items, WM_MENUSELECT makes the selected item's hint the
// application's.

#include "framework/controls/Messages.h"

// True when the message belonged to a menu item and was handled.
bool HandleMenuMessage(TMessage& message);
