// The frame's menus and caption as the MDI children ask: the window menu's list of children,
// and while a child is maximised its system menu at the start of the frame's menu bar, its
// minimise, restore and close buttons at the end and its title in the frame's caption.

#include "platform/user/WinUser.h"
#include "platform/user/mdi/MdiClient.h"

#include <algorithm>

namespace platform {

namespace {

// Children past the ninth are listed without a mnemonic digit.
constexpr std::size_t DigitMnemonics = 9;

std::u16string TextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// "&1 name" for the first nine children, "10 name" and so on after them.
std::u16string ListText(std::size_t index, HWND child) {
    std::u16string number;
    for (std::size_t n = index + 1; n > 0; n /= 10)
        number.insert(number.begin(), static_cast<char16_t>(u'0' + n % 10));
    std::u16string text = index < DigitMnemonics ? u"&" + number : number;
    return text + u" " + TextOf(child);
}

struct ItemFacts {
    UINT type = 0;
    HMENU subMenu = nullptr;
    HBITMAP bitmap = nullptr; // the picture of an MFT_BITMAP item
};

ItemFacts ItemAt(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_TYPE | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    ItemFacts facts{info.fType, info.hSubMenu, nullptr};
    if (info.fType & MFT_BITMAP)
        facts.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    return facts;
}

bool IsButtonItem(const ItemFacts& item) {
    HBITMAP bitmap = item.bitmap;
    return bitmap == HBMMENU_MBAR_MINIMIZE || bitmap == HBMMENU_MBAR_MINIMIZE_D ||
           bitmap == HBMMENU_MBAR_RESTORE || bitmap == HBMMENU_MBAR_CLOSE || bitmap == HBMMENU_MBAR_CLOSE_D;
}

void AddMaximizedButtons(MdiClientState& state, HMENU menu, HWND child) {
    HMENU systemMenu = GetSystemMenu(child, FALSE);
    if (systemMenu &&
        InsertMenuW(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(systemMenu),
                    reinterpret_cast<LPCWSTR>(HBMMENU_SYSTEM))) {
        // The first item draws the child's icon: the window rides in the item's data.
        MENUITEMINFOW data{};
        data.cbSize = sizeof data;
        data.fMask = MIIM_DATA;
        data.dwItemData = reinterpret_cast<ULONG_PTR>(child);
        SetMenuItemInfoW(menu, 0, TRUE, &data);
    }
    DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    bool minimizable = (style & WS_MINIMIZEBOX) != 0;
    AppendMenuW(menu, MF_BITMAP | MF_RIGHTJUSTIFY | (minimizable ? 0 : MF_GRAYED), SC_MINIMIZE,
                reinterpret_cast<LPCWSTR>(minimizable ? HBMMENU_MBAR_MINIMIZE : HBMMENU_MBAR_MINIMIZE_D));
    AppendMenuW(menu, MF_BITMAP, SC_RESTORE, reinterpret_cast<LPCWSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenuW(menu, MF_BITMAP, SC_CLOSE, reinterpret_cast<LPCWSTR>(HBMMENU_MBAR_CLOSE));
    state.buttonsMenu = menu;
    state.buttonsChild = child;
}

} // namespace

void RemoveWindowList(MdiClientState& state, HMENU menu) {
    if (!IsMenu(menu) || state.listed == 0)
        return;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (GetMenuItemID(menu, position) != state.firstChildId)
            continue;
        int first = position;
        // The separator before the list is the list's own.
        if (first > 0 && (ItemAt(menu, first - 1).type & MFT_SEPARATOR))
            --first;
        int last = std::min(count, position + state.listed);
        for (int i = last - 1; i >= first; --i)
            RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
        break;
    }
    state.listed = 0;
}

void RefreshWindowMenu(MdiClientState& state) {
    if (!state.windowMenu || !IsMenu(state.windowMenu))
        return;
    RemoveWindowList(state, state.windowMenu);
    if (state.children.empty())
        return;
    AppendMenuW(state.windowMenu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < state.children.size(); ++i) {
        HWND child = state.children[i];
        std::u16string text = ListText(i, child);
        UINT flags = MF_STRING | (child == state.active ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(state.windowMenu, flags, state.firstChildId + i, text.c_str());
    }
    state.listed = static_cast<int>(state.children.size());
}

void RemoveMaximizedButtons(MdiClientState& state) {
    HMENU menu = state.buttonsMenu;
    HWND child = state.buttonsChild;
    state.buttonsMenu = nullptr;
    state.buttonsChild = nullptr;
    if (!menu || !IsMenu(menu))
        return;
    HMENU systemMenu = child && IsWindow(child) ? GetSystemMenu(child, FALSE) : nullptr;
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        ItemFacts item = ItemAt(menu, position);
        bool childMenu = item.bitmap == HBMMENU_SYSTEM && item.subMenu && item.subMenu == systemMenu;
        // RemoveMenu leaves the child's system menu alive for the child.
        if (childMenu || IsButtonItem(item))
            RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
    if (GetMenu(state.frame) == menu)
        DrawMenuBar(state.frame);
}

void UpdateMaximizedDecorations(MdiClientState& state) {
    HWND maximized = MaximizedMdiChild(state);
    HMENU frameMenu = GetMenu(state.frame);
    if (state.buttonsMenu && (state.buttonsMenu != frameMenu || state.buttonsChild != maximized))
        RemoveMaximizedButtons(state);
    if (maximized && frameMenu && !state.buttonsMenu) {
        AddMaximizedButtons(state, frameMenu, maximized);
        DrawMenuBar(state.frame);
    }
    SetFrameTitle(state, state.frameTitle);
}

void SetFrameTitle(MdiClientState& state, std::u16string title) {
    state.frameTitle = std::move(title);
    std::u16string shown = state.frameTitle;
    if (HWND maximized = MaximizedMdiChild(state))
        shown += u" - [" + TextOf(maximized) + u"]";
    if (shown != TextOf(state.frame))
        DefWindowProcW(state.frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
}

} // namespace platform
