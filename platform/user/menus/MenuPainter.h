#pragma once
// The classic look of menu items: popup items with their check marks, bitmaps, labels,
// shortcut column and submenu arrows, and menu-bar items raised when hot and sunken when their
// drop-down is open. Owner-drawn items are handed to their owner (WM_DRAWITEM).

#include "platform/user/menus/MenuLayout.h"

namespace platform {

struct ItemLook {
    bool selected = false;
    bool showAccel = true; // mnemonics underlined (the keyboard is in use)
    HWND owner = nullptr;
    HMENU menu = nullptr;
};

// A popup item in the DC's coordinates. Unselected items leave the background alone when the
// DC's background mode is TRANSPARENT, so a window that painted its own background keeps it.
void DrawPopupItem(HDC dc, const MenuItem& item, const RECT& rect, const PopupLayout& layout,
                   const ItemLook& look);

enum class BarItemState { Normal, Hot, Pressed };
void DrawBarItem(HDC dc, const MenuItem& item, const RECT& rect, const ItemLook& look, BarItemState state);

// The owner's WM_DRAWITEM for an owner-drawn item.
void SendDrawItem(HDC dc, const MenuItem& item, const RECT& rect, const ItemLook& look);

} // namespace platform
