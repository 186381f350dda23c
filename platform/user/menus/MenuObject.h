#pragma once
// The record behind a menu handle: its items in order, each with its type, state, command,
// submenu, bitmaps, data and text. Handles are checked on every use and never reused.

#include "platform/base/WinTypes.h"
#include "platform/user/menus/WinMenu.h"

#include <string>
#include <vector>

namespace platform {

struct MenuItem {
    UINT type = MFT_STRING; // MFT_ flags
    UINT state = 0;         // MFS_ flags
    UINT id = 0;
    HMENU subMenu = nullptr;
    HBITMAP checkedBitmap = nullptr;
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP bitmap = nullptr; // hbmpItem, or the MFT_BITMAP picture
    ULONG_PTR data = 0;
    std::u16string text;

    bool IsSeparator() const { return (type & MFT_SEPARATOR) != 0; }
    bool IsOwnerDrawn() const { return (type & MFT_OWNERDRAW) != 0; }
    bool IsDisabled() const { return (state & MFS_GRAYED) != 0; }
    // Items a user can move the selection to.
    bool IsSelectable() const { return !IsSeparator(); }
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false; // made by CreatePopupMenu
    std::vector<MenuItem> items;
};

// The live menu behind a handle, or null with ERROR_INVALID_MENU_HANDLE set.
Menu* MenuFromHandle(HMENU handle);
// The same without touching the last error.
Menu* FindMenu(HMENU handle);
HMENU NewMenu(bool popup);
// Frees the menu and, depth first, every submenu it holds.
void FreeMenuTree(HMENU handle);

// An item found by position or by command (depth first through submenus): the menu holding
// it and its position there.
struct ItemPlace {
    Menu* menu = nullptr;
    int position = -1;
    MenuItem* item() const { return menu ? &menu->items[static_cast<size_t>(position)] : nullptr; }
};
ItemPlace FindItem(Menu& menu, UINT item, bool byPosition);
// The same, with ERROR_MENU_ITEM_NOT_FOUND set when nothing matches.
ItemPlace FindItemOrFail(Menu& menu, UINT item, bool byPosition);

// Where a new item goes: before the item with the command (in the menu that holds it), or at
// the position, the end when past it. No menu, with ERROR_MENU_ITEM_NOT_FOUND set, when the
// command is not found.
ItemPlace InsertionPoint(Menu& menu, UINT item, bool byPosition);

// Whether inserting `sub` under `menu` would make a menu its own descendant.
bool WouldMakeCycle(HMENU menu, HMENU sub);

// The flags GetMenuState and WM_MENUSELECT report for an item (MF_ values).
UINT ItemFlags(const MenuItem& item);

} // namespace platform
