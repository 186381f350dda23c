#include "platform/user/menus/MenuObject.h"

#include "platform/base/HandleTable.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

HandleTable<Menu>& Menus() {
    static HandleTable<Menu> table(0x20000);
    return table;
}

std::uintptr_t Value(HMENU handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}

// Submenus are searched before the item that opens them, so a command found inside wins
// over a popup item that happens to carry the same number.
bool FindByCommand(Menu& menu, UINT command, ItemPlace& found, int depth) {
    if (depth > 64)
        return false;
    for (size_t i = 0; i < menu.items.size(); ++i) {
        MenuItem& item = menu.items[i];
        if (item.subMenu) {
            if (Menu* sub = FindMenu(item.subMenu); sub && FindByCommand(*sub, command, found, depth + 1))
                return true;
        }
        if (item.id == command) {
            found = {&menu, static_cast<int>(i)};
            return true;
        }
    }
    return false;
}

bool Contains(HMENU root, HMENU wanted, int depth) {
    if (root == wanted)
        return true;
    Menu* menu = FindMenu(root);
    if (!menu || depth > 64)
        return false;
    for (const MenuItem& item : menu->items) {
        if (item.subMenu && Contains(item.subMenu, wanted, depth + 1))
            return true;
    }
    return false;
}

} // namespace

Menu* FindMenu(HMENU handle) {
    return Menus().Find(Value(handle));
}

Menu* MenuFromHandle(HMENU handle) {
    Menu* menu = FindMenu(handle);
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

HMENU NewMenu(bool popup) {
    auto menu = std::make_unique<Menu>();
    menu->popup = popup;
    Menu* record = menu.get();
    record->handle = reinterpret_cast<HMENU>(Menus().Insert(std::move(menu)));
    return record->handle;
}

void FreeMenuTree(HMENU handle) {
    std::unique_ptr<Menu> menu = Menus().Remove(Value(handle));
    if (!menu)
        return;
    for (const MenuItem& item : menu->items) {
        if (item.subMenu)
            FreeMenuTree(item.subMenu);
    }
}

ItemPlace FindItem(Menu& menu, UINT item, bool byPosition) {
    if (byPosition) {
        if (item >= menu.items.size())
            return {};
        return {&menu, static_cast<int>(item)};
    }
    ItemPlace found;
    FindByCommand(menu, item, found, 0);
    return found;
}

ItemPlace FindItemOrFail(Menu& menu, UINT item, bool byPosition) {
    ItemPlace place = FindItem(menu, item, byPosition);
    if (!place.menu)
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return place;
}

ItemPlace InsertionPoint(Menu& menu, UINT item, bool byPosition) {
    if (!byPosition)
        return FindItemOrFail(menu, item, false);
    size_t end = menu.items.size();
    return {&menu, static_cast<int>(item < end ? item : end)};
}

bool WouldMakeCycle(HMENU menu, HMENU sub) {
    return sub && Contains(sub, menu, 0);
}

UINT ItemFlags(const MenuItem& item) {
    UINT flags = item.type & (MF_BITMAP | MF_MENUBARBREAK | MF_MENUBREAK | MF_OWNERDRAW | MF_SEPARATOR |
                              MF_RIGHTJUSTIFY | MFT_RADIOCHECK);
    flags |= item.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (item.subMenu)
        flags |= MF_POPUP;
    return flags;
}

} // namespace platform
