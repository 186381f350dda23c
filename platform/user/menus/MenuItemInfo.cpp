// MENUITEMINFO: reading, changing and inserting an item field by field as the mask asks, in
// both character sets.

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/user/menus/MenuObject.h"

#include <algorithm>
#include <cstddef>

namespace platform {

namespace {

constexpr UINT KnownMasks = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA |
                            MIIM_STRING | MIIM_BITMAP | MIIM_FTYPE;

// The older, shorter structure has no hbmpItem; MIIM_BITMAP needs the full one.
template <typename Info>
bool CheckInfo(const Info* info) {
    if (!info || (info->cbSize != sizeof(Info) && info->cbSize != offsetof(Info, hbmpItem)) ||
        (info->fMask & ~KnownMasks) || ((info->fMask & MIIM_BITMAP) && info->cbSize != sizeof(Info)) ||
        ((info->fMask & MIIM_TYPE) && (info->fMask & (MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP)))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

template <typename Char>
std::u16string Widen(const Char* text) {
    if constexpr (sizeof(Char) == 1)
        return GbkToUtf16(text);
    else
        return reinterpret_cast<const char16_t*>(text);
}

// Copies the text into the caller's buffer of cch units and reports the length copied; with no
// buffer (or cch 0) it reports the text's length only.
template <typename Char>
void ReadText(const std::u16string& wide, Char* buffer, UINT& cch) {
    std::basic_string<Char> text;
    if constexpr (sizeof(Char) == 1)
        text = Utf16ToGbk(wide);
    else
        text.assign(wide.begin(), wide.end());
    if (!buffer || cch == 0) {
        cch = static_cast<UINT>(text.size());
        return;
    }
    size_t count = std::min<size_t>(text.size(), cch - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = 0;
    cch = static_cast<UINT>(count);
}

template <typename Info>
void Read(const MenuItem& item, Info& info) {
    UINT mask = info.fMask;
    if (mask & (MIIM_TYPE | MIIM_FTYPE))
        info.fType = item.type;
    if (mask & MIIM_STATE)
        info.fState = item.state;
    if (mask & MIIM_ID)
        info.wID = item.id;
    if (mask & MIIM_SUBMENU)
        info.hSubMenu = item.subMenu;
    if (mask & MIIM_CHECKMARKS) {
        info.hbmpChecked = item.checkedBitmap;
        info.hbmpUnchecked = item.uncheckedBitmap;
    }
    if (mask & MIIM_DATA)
        info.dwItemData = item.data;
    if (mask & MIIM_BITMAP)
        info.hbmpItem = (item.type & MFT_BITMAP) ? nullptr : item.bitmap;
    if (mask & MIIM_TYPE) {
        if (item.type & MFT_BITMAP) {
            info.dwTypeData = reinterpret_cast<decltype(info.dwTypeData)>(item.bitmap);
            info.cch = 0;
        } else if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
            ReadText(item.text, info.dwTypeData, info.cch);
        } else {
            info.cch = 0;
        }
    } else if (mask & MIIM_STRING) {
        ReadText(item.text, info.dwTypeData, info.cch);
    }
}

template <typename Info>
bool Write(Menu& menu, MenuItem& item, const Info& info) {
    UINT mask = info.fMask;
    if (mask & MIIM_SUBMENU) {
        if (info.hSubMenu && !MenuFromHandle(info.hSubMenu))
            return false;
        if (WouldMakeCycle(menu.handle, info.hSubMenu)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
    }
    if (mask & MIIM_TYPE) {
        // The old mask sets the kind and its content together.
        item.type = info.fType;
        if (info.fType & MFT_BITMAP) {
            item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
            item.text.clear();
        } else if (info.fType & MFT_SEPARATOR) {
            item.text.clear();
        } else if (!(info.fType & MFT_OWNERDRAW)) {
            item.text = info.dwTypeData ? Widen(info.dwTypeData) : std::u16string();
        }
    }
    if (mask & MIIM_FTYPE) {
        // The kind bits change, the text stays: an owner-drawn item keeps its text to measure.
        item.type = (item.type & MFT_BITMAP) | (info.fType & ~MFT_BITMAP);
    }
    if (mask & MIIM_STRING) {
        item.text = info.dwTypeData ? Widen(info.dwTypeData) : std::u16string();
        if (item.type & MFT_BITMAP) {
            item.type &= ~MFT_BITMAP;
            item.bitmap = nullptr;
        }
    }
    if (mask & MIIM_BITMAP)
        item.bitmap = info.hbmpItem;
    if (mask & MIIM_STATE)
        item.state = info.fState;
    if (mask & MIIM_ID)
        item.id = info.wID;
    if (mask & MIIM_SUBMENU)
        item.subMenu = info.hSubMenu;
    if (mask & MIIM_CHECKMARKS) {
        item.checkedBitmap = info.hbmpChecked;
        item.uncheckedBitmap = info.hbmpUnchecked;
    }
    if (mask & MIIM_DATA)
        item.data = info.dwItemData;
    return true;
}

template <typename Info>
BOOL GetInfo(HMENU handle, UINT position, BOOL byPosition, Info* info) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu || !CheckInfo(info))
        return FALSE;
    ItemPlace place = FindItemOrFail(*menu, position, byPosition != FALSE);
    if (!place.menu)
        return FALSE;
    Read(*place.item(), *info);
    return TRUE;
}

template <typename Info>
BOOL SetInfo(HMENU handle, UINT position, BOOL byPosition, const Info* info) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu || !CheckInfo(info))
        return FALSE;
    ItemPlace place = FindItemOrFail(*menu, position, byPosition != FALSE);
    if (!place.menu)
        return FALSE;
    MenuItem changed = *place.item();
    if (!Write(*place.menu, changed, *info))
        return FALSE;
    *place.item() = std::move(changed);
    return TRUE;
}

template <typename Info>
BOOL InsertInfo(HMENU handle, UINT position, BOOL byPosition, const Info* info) {
    Menu* menu = MenuFromHandle(handle);
    if (!menu || !CheckInfo(info))
        return FALSE;
    ItemPlace place = InsertionPoint(*menu, position, byPosition != FALSE);
    if (!place.menu)
        return FALSE;
    MenuItem item;
    if (!Write(*place.menu, item, *info))
        return FALSE;
    place.menu->items.insert(place.menu->items.begin() + place.position, std::move(item));
    return TRUE;
}

} // namespace

} // namespace platform

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
    return platform::GetInfo(menu, item, byPosition, info);
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
    return platform::GetInfo(menu, item, byPosition, info);
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    return platform::SetInfo(menu, item, byPosition, info);
}

BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
    return platform::SetInfo(menu, item, byPosition, info);
}

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
    return platform::InsertInfo(menu, item, byPosition, info);
}

BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
    return platform::InsertInfo(menu, item, byPosition, info);
}
