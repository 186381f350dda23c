// Menu objects: items added, inserted, changed and removed by position and by command,
// submenus found and destroyed with their parent, item information in both character sets,
// states, radio groups and default items, and stale handles refused.

#include "platform/user/WinUser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

MENUITEMINFOA InfoA(UINT mask) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

MENUITEMINFOW InfoW(UINT mask) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

std::string Text(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = "x";
    int length = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return std::string(buffer, static_cast<size_t>(length));
}

// A bar with "文件" (a submenu of Open 10, separator, Exit 11) and "帮助" (12).
struct SampleMenu {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    SampleMenu() {
        AppendMenuA(file, MF_STRING, 10, "打开(&O)...\tCtrl+O");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING | MF_GRAYED, 11, "退出(&X)");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
        AppendMenuA(bar, MF_STRING, 12, "帮助(&H)");
    }
    ~SampleMenu() { DestroyMenu(bar); }
};

TEST(MenuObjectTest, Items_AreFoundByPositionAndByCommandThroughSubmenus) {
    SampleMenu m;
    EXPECT_EQ(GetMenuItemCount(m.bar), 2);
    EXPECT_EQ(GetSubMenu(m.bar, 0), m.file);
    EXPECT_EQ(GetMenuItemID(m.bar, 0), 0xFFFFFFFFu) << "an item opening a submenu has no command";
    EXPECT_EQ(GetMenuItemID(m.bar, 1), 12u);
    EXPECT_EQ(GetMenuItemID(m.bar, 2), 0xFFFFFFFFu);
    EXPECT_EQ(GetSubMenu(m.bar, 5), nullptr);
    EXPECT_EQ(Text(m.bar, 10, MF_BYCOMMAND), "打开(&O)...\tCtrl+O") << "the text keeps '&' and the tab";
    EXPECT_EQ(Text(m.bar, 1, MF_BYPOSITION), "帮助(&H)");
    EXPECT_EQ(GetMenuStringA(m.bar, 99, nullptr, 0, MF_BYCOMMAND), 0);
    EXPECT_EQ(GetMenuStringA(m.bar, 10, nullptr, 0, MF_BYCOMMAND), 18) << "no buffer: the length";
    char small[5];
    EXPECT_EQ(GetMenuStringA(m.bar, 12, small, sizeof small, MF_BYCOMMAND), 4);
    EXPECT_STREQ(small, "帮助");
    WCHAR wide[16];
    EXPECT_EQ(GetMenuStringW(m.bar, 12, wide, 16, MF_BYCOMMAND), 6);
    EXPECT_EQ(std::u16string(reinterpret_cast<char16_t*>(wide)), u"帮助(&H)");
    EXPECT_EQ(GetMenuState(m.bar, 11, MF_BYCOMMAND), MF_GRAYED);
    EXPECT_EQ(GetMenuState(m.bar, 0, MF_BYPOSITION), MF_POPUP | (3u << 8)) << "the submenu's count above";
    EXPECT_EQ(GetMenuState(m.file, 1, MF_BYPOSITION), MF_SEPARATOR);
    SetLastError(0);
    EXPECT_EQ(GetMenuState(m.bar, 77, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
}

TEST(MenuObjectTest, Insert_GoesBeforeTheItemOrAtTheEndPastTheLastPosition) {
    SampleMenu m;
    EXPECT_TRUE(InsertMenuA(m.bar, 11, MF_BYCOMMAND | MF_STRING, 13, "保存(&S)"));
    EXPECT_EQ(GetMenuItemCount(m.file), 4) << "inserted in the submenu holding the command";
    EXPECT_EQ(GetMenuItemID(m.file, 2), 13u);
    EXPECT_TRUE(InsertMenuA(m.bar, 100, MF_BYPOSITION | MF_STRING, 14, "末尾"));
    EXPECT_EQ(GetMenuItemID(m.bar, 2), 14u);
    EXPECT_TRUE(InsertMenuA(m.bar, 0, MF_BYPOSITION | MF_STRING, 15, "开头"));
    EXPECT_EQ(GetMenuItemID(m.bar, 0), 15u);
    EXPECT_FALSE(InsertMenuA(m.bar, 999, MF_BYCOMMAND | MF_STRING, 16, "无"));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    EXPECT_FALSE(AppendMenuA(m.file, MF_POPUP, reinterpret_cast<UINT_PTR>(m.bar), "环"))
        << "a menu cannot become its own submenu";
    EXPECT_FALSE(AppendMenuA(m.file, MF_POPUP, 0x12345, "坏"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
}

TEST(MenuObjectTest, RemoveKeepsTheSubmenuDeleteAndDestroyFreeIt) {
    HMENU bar = CreateMenu();
    HMENU kept = CreatePopupMenu();
    HMENU deleted = CreatePopupMenu();
    HMENU nested = CreatePopupMenu();
    AppendMenuA(deleted, MF_POPUP, reinterpret_cast<UINT_PTR>(nested), "内层");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "甲");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(deleted), "乙");
    EXPECT_TRUE(RemoveMenu(bar, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(kept));
    EXPECT_TRUE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(deleted));
    EXPECT_FALSE(IsMenu(nested));
    EXPECT_FALSE(DeleteMenu(bar, 0, MF_BYPOSITION));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "甲");
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(kept));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
    EXPECT_EQ(GetMenuItemCount(bar), -1);
}

TEST(MenuObjectTest, Modify_ReplacesTheItemAndFreesASubmenuItNoLongerOpens) {
    SampleMenu m;
    EXPECT_TRUE(ModifyMenuA(m.bar, 0, MF_BYPOSITION | MF_STRING, 20, "新"));
    EXPECT_FALSE(IsMenu(m.file));
    EXPECT_EQ(GetMenuItemID(m.bar, 0), 20u);
    EXPECT_TRUE(ModifyMenuA(m.bar, 12, MF_BYCOMMAND | MF_OWNERDRAW, 21, reinterpret_cast<LPCSTR>(0x5A)));
    auto info = InfoA(MIIM_FTYPE | MIIM_DATA | MIIM_ID);
    ASSERT_TRUE(GetMenuItemInfoA(m.bar, 1, TRUE, &info));
    EXPECT_EQ(info.fType, MFT_OWNERDRAW);
    EXPECT_EQ(info.dwItemData, 0x5Au) << "owner-drawn items keep the item argument as their data";
    EXPECT_EQ(info.wID, 21u);
}

TEST(MenuObjectTest, ItemInfo_EveryMaskReadsAndWritesItsField) {
    SampleMenu m;
    HMENU sub = CreatePopupMenu();
    HBITMAP checked = reinterpret_cast<HBITMAP>(0x40);
    HBITMAP unchecked = reinterpret_cast<HBITMAP>(0x44);
    auto set = InfoA(0);
    set.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_DATA | MIIM_BITMAP | MIIM_FTYPE;
    set.fType = MFT_RADIOCHECK | MFT_RIGHTJUSTIFY;
    set.fState = MFS_CHECKED | MFS_DEFAULT | MFS_HILITE;
    set.wID = 30;
    set.hSubMenu = sub;
    set.hbmpChecked = checked;
    set.hbmpUnchecked = unchecked;
    set.dwItemData = 77;
    set.hbmpItem = HBMMENU_POPUP_CLOSE;
    ASSERT_TRUE(SetMenuItemInfoA(m.bar, 12, FALSE, &set));
    char text[32];
    auto get = InfoA(0);
    get.fMask = set.fMask | MIIM_STRING;
    get.dwTypeData = text;
    get.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(m.bar, 1, TRUE, &get));
    EXPECT_EQ(get.fType, MFT_RADIOCHECK | MFT_RIGHTJUSTIFY);
    EXPECT_EQ(get.fState, MFS_CHECKED | MFS_DEFAULT | MFS_HILITE);
    EXPECT_EQ(get.wID, 30u);
    EXPECT_EQ(get.hSubMenu, sub);
    EXPECT_EQ(get.hbmpChecked, checked);
    EXPECT_EQ(get.hbmpUnchecked, unchecked);
    EXPECT_EQ(get.dwItemData, 77u);
    EXPECT_EQ(get.hbmpItem, HBMMENU_POPUP_CLOSE);
    EXPECT_STREQ(text, "帮助(&H)") << "the text stays when only the type changes";
    EXPECT_EQ(get.cch, 8u);

    // Owner drawing switched on the way a skin does it keeps the text for measuring.
    auto type = InfoA(MIIM_FTYPE);
    type.fType = MFT_OWNERDRAW;
    ASSERT_TRUE(SetMenuItemInfoA(m.bar, 10, FALSE, &type));
    EXPECT_EQ(Text(m.bar, 10, MF_BYCOMMAND), "打开(&O)...\tCtrl+O");
    EXPECT_EQ(GetMenuState(m.bar, 10, MF_BYCOMMAND), MF_OWNERDRAW);

    auto wide = InfoW(MIIM_STRING);
    WCHAR name[] = u"编辑";
    wide.dwTypeData = name;
    ASSERT_TRUE(SetMenuItemInfoW(m.bar, 0, TRUE, &wide));
    EXPECT_EQ(Text(m.bar, 0, MF_BYPOSITION), "编辑");
    auto length = InfoA(MIIM_STRING);
    ASSERT_TRUE(GetMenuItemInfoA(m.bar, 0, TRUE, &length));
    EXPECT_EQ(length.cch, 4u) << "without a buffer the length in bytes";

    auto bad = InfoA(MIIM_ID);
    bad.cbSize -= 1;
    EXPECT_FALSE(GetMenuItemInfoA(m.bar, 0, TRUE, &bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    auto mixed = InfoA(MIIM_TYPE | MIIM_STRING);
    EXPECT_FALSE(GetMenuItemInfoA(m.bar, 0, TRUE, &mixed));
    auto missing = InfoA(MIIM_ID);
    EXPECT_FALSE(GetMenuItemInfoA(m.bar, 55, FALSE, &missing));
    EXPECT_EQ(GetLastError(), ERROR_MENU_ITEM_NOT_FOUND);
}

TEST(MenuObjectTest, ItemInfo_TypeMaskCarriesBitmapsSeparatorsAndInsertion) {
    HMENU menu = CreatePopupMenu();
    auto item = InfoA(MIIM_TYPE | MIIM_ID);
    char text[] = "第一";
    item.fType = MFT_STRING;
    item.dwTypeData = text;
    item.wID = 1;
    ASSERT_TRUE(InsertMenuItemA(menu, 0, TRUE, &item));
    item.fType = MFT_SEPARATOR;
    item.wID = 2;
    ASSERT_TRUE(InsertMenuItemA(menu, 1, FALSE, &item)) << "before the item with command 1";
    item.fType = MFT_BITMAP;
    item.dwTypeData = reinterpret_cast<LPSTR>(0x88);
    item.wID = 3;
    ASSERT_TRUE(InsertMenuItemA(menu, 50, TRUE, &item));
    EXPECT_EQ(GetMenuItemID(menu, 0), 2u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 1u);
    EXPECT_EQ(GetMenuItemID(menu, 2), 3u);
    auto get = InfoA(MIIM_TYPE);
    ASSERT_TRUE(GetMenuItemInfoA(menu, 2, TRUE, &get));
    EXPECT_EQ(get.fType, MFT_BITMAP);
    EXPECT_EQ(get.dwTypeData, reinterpret_cast<LPSTR>(0x88));
    DestroyMenu(menu);
}

TEST(MenuObjectTest, States_EnableCheckRadioGroupsAndDefaults) {
    HMENU menu = CreatePopupMenu();
    for (UINT id = 1; id <= 4; ++id)
        AppendMenuA(menu, MF_STRING, id, "项");
    EXPECT_EQ(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 9, MF_BYCOMMAND | MF_GRAYED), -1);
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(CheckMenuItem(menu, 9, MF_BYCOMMAND), 0xFFFFFFFFu);

    CheckMenuItem(menu, 4, MF_CHECKED);
    ASSERT_TRUE(CheckMenuRadioItem(menu, 1, 3, 2, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYCOMMAND), MF_CHECKED | MFT_RADIOCHECK);
    ASSERT_TRUE(CheckMenuRadioItem(menu, 1, 3, 3, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYCOMMAND), MF_CHECKED | MFT_RADIOCHECK);
    EXPECT_EQ(GetMenuState(menu, 4, MF_BYCOMMAND), MF_CHECKED) << "outside the group";
    EXPECT_FALSE(CheckMenuRadioItem(menu, 1, 3, 4, MF_BYCOMMAND));

    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 0xFFFFFFFFu);
    ASSERT_TRUE(SetMenuDefaultItem(menu, 3, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 3u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 2u);
    ASSERT_TRUE(SetMenuDefaultItem(menu, 0, TRUE));
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYCOMMAND) & MF_DEFAULT, 0u) << "one default at a time";
    EnableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED), 0u);
    ASSERT_TRUE(SetMenuDefaultItem(menu, 0xFFFFFFFF, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED), 0xFFFFFFFFu);
    EXPECT_FALSE(SetMenuDefaultItem(menu, 42, FALSE));
    EXPECT_EQ(GetMenuCheckMarkDimensions(),
              MAKELONG(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)));
    DestroyMenu(menu);
}

TEST(MenuObjectTest, DefaultItem_GoesIntoThePopupItOpens) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 7, "内");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "外");
    SetMenuDefaultItem(menu, 0, TRUE);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, GMDI_GOINTOPOPUPS), 0u) << "no default inside: the popup item";
    SetMenuDefaultItem(sub, 7, FALSE);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS), 7u);
    DestroyMenu(menu);
}

TEST(MenuObjectTest, NullTextMakesASeparatorAndWideTextsRoundTrip) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, nullptr);
    AppendMenuW(menu, MF_STRING, 2, u"宽&字");
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), MF_SEPARATOR);
    EXPECT_EQ(Text(menu, 2, MF_BYCOMMAND), "宽&字");
    DestroyMenu(menu);
}

} // namespace
