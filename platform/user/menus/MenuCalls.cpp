// Making, filling and querying menus through the MF_ flag calls, by position or by command.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/WinUser.h"
#include "platform/user/menus/MenuObject.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

bool ByPosition(UINT flags) {
    return (flags & MF_BYPOSITION) != 0;
}

// The item an MF_ call describes. The item argument is a text, a bitmap or owner data by the
// flags; a null text makes a separator.
struct ItemContent {
    UINT flags;
    UINT_PTR id;
    const void* item;
    bool wide;
};

std::u16string TextOf(const ItemContent& content) {
    if (content.wide)
        return reinterpret_cast<const char16_t*>(content.item);
    return GbkToUtf16(static_cast<const char*>(content.item));
}

bool BuildItem(HMENU menu, const ItemContent& content, MenuItem& item) {
    UINT flags = content.flags;
    item = MenuItem{};
    item.type = flags & (MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY | MFT_RADIOCHECK);
    item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (flags & MF_POPUP) {
        HMENU sub = reinterpret_cast<HMENU>(content.id);
        if (!MenuFromHandle(sub))
            return false;
        if (WouldMakeCycle(menu, sub)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        item.subMenu = sub;
    }
    item.id = static_cast<UINT>(content.id);
    if (flags & MF_SEPARATOR) {
        item.type |= MFT_SEPARATOR;
    } else if (flags & MF_BITMAP) {
        item.type |= MFT_BITMAP;
        item.bitmap = reinterpret_cast<HBITMAP>(const_cast<void*>(content.item));
    } else if (flags & MF_OWNERDRAW) {
        item.type |= MFT_OWNERDRAW;
        item.data = reinterpret_cast<ULONG_PTR>(content.item);
    } else if (!content.item) {
        item.type |= MFT_SEPARATOR;
    } else {
        item.text = TextOf(content);
    }
    return true;
}

BOOL Insert(HMENU handle, UINT position, const ItemContent& content) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu)
        return FALSE;
    ItemPlace place = InsertionPoint(*menu, position, ByPosition(content.flags));
    if (!place.menu)
        return FALSE;
    MenuItem item;
    if (!BuildItem(place.menu->handle, content, item))
        return FALSE;
    place.menu->items.insert(place.menu->items.begin() + place.position, std::move(item));
    return TRUE;
}

BOOL Append(HMENU handle, const ItemContent& content) {
    ItemContent atEnd = content;
    atEnd.flags |= MF_BYPOSITION;
    return Insert(handle, 0xFFFFFFFF, atEnd);
}

BOOL Modify(HMENU handle, UINT position, const ItemContent& content) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu)
        return FALSE;
    ItemPlace place = FindItemOrFail(*menu, position, ByPosition(content.flags));
    if (!place.menu)
        return FALSE;
    MenuItem item;
    if (!BuildItem(place.menu->handle, content, item))
        return FALSE;
    // A submenu the new content no longer opens is destroyed with the old item.
    HMENU old = place.item()->subMenu;
    *place.item() = std::move(item);
    if (old && old != place.item()->subMenu)
        FreeMenuTree(old);
    return TRUE;
}

BOOL Take(HMENU handle, UINT position, UINT flags, bool destroySubmenu) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu)
        return FALSE;
    ItemPlace place = FindItemOrFail(*menu, position, ByPosition(flags));
    if (!place.menu)
        return FALSE;
    HMENU sub = place.item()->subMenu;
    place.menu->items.erase(place.menu->items.begin() + place.position);
    if (destroySubmenu && sub)
        FreeMenuTree(sub);
    return TRUE;
}

// Sets the state bits of the mask to those of the flags; the bits they had, or -1 when the
// item is not found.
DWORD ReplaceState(HMENU handle, UINT position, UINT flags, UINT mask) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu)
        return 0xFFFFFFFF;
    ItemPlace place = FindItemOrFail(*menu, position, ByPosition(flags));
    if (!place.menu)
        return 0xFFFFFFFF;
    UINT& state = place.item()->state;
    DWORD previous = state & mask;
    state = (state & ~mask) | (flags & mask);
    return previous;
}

// The item's text copied into a buffer of `size` units with its terminator; its length when
// there is no buffer.
template <typename Char>
int CopyText(const std::basic_string<Char>& text, Char* buffer, int size) {
    if (!buffer)
        return static_cast<int>(text.size());
    if (size <= 0)
        return 0;
    size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = 0;
    return static_cast<int>(count);
}

template <typename Char>
int GetString(HMENU handle, UINT position, Char* buffer, int size, UINT flags) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu)
        return 0;
    ItemPlace place = FindItemOrFail(*menu, position, ByPosition(flags));
    if (!place.menu) {
        if (buffer && size > 0)
            buffer[0] = 0;
        return 0;
    }
    const std::u16string& text = place.item()->text;
    if constexpr (sizeof(Char) == 1)
        return CopyText(Utf16ToGbk(text), buffer, size);
    else
        return CopyText(std::basic_string<Char>(text.begin(), text.end()), buffer, size);
}

} // namespace

} // namespace platform

using platform::ItemContent;

HMENU CreateMenu() {
    return platform::NewMenu(false);
}

HMENU CreatePopupMenu() {
    return platform::NewMenu(true);
}

BOOL DestroyMenu(HMENU menu) {
    if (!platform::MenuFromHandle(menu))
        return FALSE;
    platform::FreeMenuTree(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    return platform::FindMenu(menu) != nullptr;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR item) {
    return platform::Append(menu, ItemContent{flags, id, item, false});
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR item) {
    return platform::Append(menu, ItemContent{flags, id, item, true});
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item) {
    return platform::Insert(menu, position, ItemContent{flags, id, item, false});
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item) {
    return platform::Insert(menu, position, ItemContent{flags, id, item, true});
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item) {
    return platform::Modify(menu, position, ItemContent{flags, id, item, false});
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCWSTR item) {
    return platform::Modify(menu, position, ItemContent{flags, id, item, true});
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
    return platform::Take(menu, position, flags, false);
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    return platform::Take(menu, position, flags, true);
}

int GetMenuItemCount(HMENU handle) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU handle, int position) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return 0xFFFFFFFF;
    const platform::MenuItem& item = menu->items[static_cast<size_t>(position)];
    return item.subMenu ? 0xFFFFFFFF : item.id;
}

HMENU GetSubMenu(HMENU handle, int position) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return nullptr;
    return menu->items[static_cast<size_t>(position)].subMenu;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    return platform::GetString(menu, item, buffer, size, flags);
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int size, UINT flags) {
    return platform::GetString(menu, item, buffer, size, flags);
}

UINT GetMenuState(HMENU handle, UINT position, UINT flags) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    if (!menu)
        return 0xFFFFFFFF;
    platform::ItemPlace place = platform::FindItemOrFail(*menu, position, platform::ByPosition(flags));
    if (!place.menu)
        return 0xFFFFFFFF;
    const platform::MenuItem& item = *place.item();
    UINT state = platform::ItemFlags(item);
    // An item that opens a submenu reports its flags in the low byte and the submenu's item
    // count in the high byte.
    if (item.subMenu) {
        platform::Menu* sub = platform::FindMenu(item.subMenu);
        UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
        return (state & 0xFF) | (count << 8);
    }
    return state;
}

BOOL EnableMenuItem(HMENU handle, UINT position, UINT enable) {
    return static_cast<BOOL>(platform::ReplaceState(handle, position, enable, MF_GRAYED | MF_DISABLED));
}

DWORD CheckMenuItem(HMENU handle, UINT position, UINT check) {
    return platform::ReplaceState(handle, position, check, MF_CHECKED);
}

BOOL CheckMenuRadioItem(HMENU handle, UINT first, UINT last, UINT check, UINT flags) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    if (!menu)
        return FALSE;
    bool byPosition = platform::ByPosition(flags);
    // The group is the run of items between first and last in the menu that holds first.
    platform::ItemPlace from = platform::FindItemOrFail(*menu, first, byPosition);
    platform::ItemPlace to = platform::FindItemOrFail(*menu, last, byPosition);
    platform::ItemPlace chosen = platform::FindItemOrFail(*menu, check, byPosition);
    if (!from.menu || !to.menu || !chosen.menu || from.menu != to.menu || chosen.menu != from.menu ||
        from.position > to.position || chosen.position < from.position || chosen.position > to.position) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    for (int i = from.position; i <= to.position; ++i) {
        platform::MenuItem& item = from.menu->items[static_cast<size_t>(i)];
        if (i == chosen.position) {
            item.state |= MFS_CHECKED;
            item.type |= MFT_RADIOCHECK;
        } else {
            item.state &= ~MFS_CHECKED;
            item.type &= ~MFT_RADIOCHECK;
        }
    }
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU handle, UINT byPosition, UINT flags) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    for (int depth = 0; menu && depth < 64; ++depth) {
        auto it = std::find_if(menu->items.begin(), menu->items.end(), [](const platform::MenuItem& item) {
            return (item.state & MFS_DEFAULT) != 0;
        });
        if (it == menu->items.end())
            return 0xFFFFFFFF;
        if (it->IsDisabled() && !(flags & GMDI_USEDISABLED))
            return 0xFFFFFFFF;
        UINT answer = byPosition ? static_cast<UINT>(it - menu->items.begin()) : it->id;
        // Into the submenu the default item opens; its own default wins when it has one.
        if ((flags & GMDI_GOINTOPOPUPS) && it->subMenu) {
            UINT inner = GetMenuDefaultItem(it->subMenu, byPosition, flags);
            return inner != 0xFFFFFFFF ? inner : answer;
        }
        return answer;
    }
    return 0xFFFFFFFF;
}

BOOL SetMenuDefaultItem(HMENU handle, UINT position, UINT byPosition) {
    platform::Menu* menu = platform::MenuFromHandle(handle);
    if (!menu)
        return FALSE;
    int chosen = -1;
    if (position != 0xFFFFFFFF) {
        if (byPosition) {
            if (position >= menu->items.size()) {
                SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
                return FALSE;
            }
            chosen = static_cast<int>(position);
        } else {
            // Only this menu's own items can be its default.
            auto it =
                std::find_if(menu->items.begin(), menu->items.end(),
                             [position](const platform::MenuItem& item) { return item.id == position; });
            if (it == menu->items.end()) {
                SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
                return FALSE;
            }
            chosen = static_cast<int>(it - menu->items.begin());
        }
    }
    for (size_t i = 0; i < menu->items.size(); ++i) {
        if (static_cast<int>(i) == chosen)
            menu->items[i].state |= MFS_DEFAULT;
        else
            menu->items[i].state &= ~MFS_DEFAULT;
    }
    return TRUE;
}

LONG GetMenuCheckMarkDimensions() {
    return static_cast<LONG>(MAKELONG(static_cast<WORD>(GetSystemMetrics(SM_CXMENUCHECK)),
                                      static_cast<WORD>(GetSystemMetrics(SM_CYMENUCHECK))));
}
