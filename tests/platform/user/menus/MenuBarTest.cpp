// The menu bar: its room in the frame (wrapping in a narrow window), hit tests and bar
// information, navigation with Alt, the arrows and mnemonics, the mouse along the bar, and a
// top-level item without a submenu sending its command.

#include "MenuTestSupport.h"

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

class MenuBarTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window = CreateTopLevel(40, 40, 400, 250);
        bar = CreateMenu();
        file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, 11, "新建(&N)\tCtrl+N");
        AppendMenuA(file, MF_STRING, 12, "退出(&X)");
        edit = CreatePopupMenu();
        AppendMenuA(edit, MF_STRING, 21, "复制(&C)");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "编辑(&E)");
        AppendMenuA(bar, MF_STRING, 30, "刷新(&R)");
        SetMenu(window, bar);
        headless::RunUntilIdle();
        ClearLog();
    }
    std::vector<WPARAM> Commands() const {
        std::vector<WPARAM> commands;
        for (const LoggedMessage& m : Logged(window, WM_COMMAND))
            commands.push_back(LOWORD(m.wParam));
        return commands;
    }
    int ClientTop() const {
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        RECT r{};
        GetWindowRect(window, &r);
        return origin.y - r.top;
    }
    void PressAlt() {
        headless::PressKey(VK_MENU);
        headless::ReleaseKey(VK_MENU);
    }

    HWND window = nullptr;
    HMENU bar = nullptr;
    HMENU file = nullptr;
    HMENU edit = nullptr;
};

TEST_F(MenuBarTest, Bar_TakesRoomInTheFrameAndWrapsWhenTheWindowIsNarrow) {
    EXPECT_EQ(GetMenu(window), bar);
    int frame = GetSystemMetrics(SM_CYFRAME);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    EXPECT_EQ(ClientTop(), frame + caption + GetSystemMetrics(SM_CYMENU));
    RECT item0 = ItemRect(window, bar, 0);
    RECT item2 = ItemRect(window, bar, 2);
    EXPECT_EQ(item0.top, item2.top) << "one row";
    SetWindowPos(window, nullptr, 0, 0, 120, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_GT(ClientTop(), frame + caption + GetSystemMetrics(SM_CYMENU)) << "a second row";
    item2 = ItemRect(window, bar, 2);
    EXPECT_GT(item2.top, ItemRect(window, bar, 0).top);
    EXPECT_EQ(item2.left, ItemRect(window, bar, 0).left) << "the new row starts at the left";
    EXPECT_TRUE(SetMenu(window, nullptr));
    EXPECT_EQ(ClientTop(), frame + caption);
    EXPECT_TRUE(IsMenu(bar)) << "SetMenu does not destroy the old menu";
    EXPECT_TRUE(SetMenu(window, bar));
    HWND child = CreateChild(window, 0, 0, 10, 10);
    EXPECT_FALSE(SetMenu(child, bar));
}

TEST_F(MenuBarTest, HitTestAndBarInfo_FindTheBarAndItsItems) {
    RECT item1 = ItemRect(window, bar, 1);
    POINT p = Centre(item1);
    EXPECT_EQ(SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTMENU);
    EXPECT_EQ(MenuItemFromPoint(window, bar, p), 1);
    EXPECT_EQ(MenuItemFromPoint(window, bar, {0, 0}), -1);
    MENUBARINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMenuBarInfo(window, OBJID_MENU, 0, &info));
    EXPECT_EQ(info.hMenu, bar);
    EXPECT_EQ(info.rcBar.bottom - info.rcBar.top, GetSystemMetrics(SM_CYMENU));
    ASSERT_TRUE(GetMenuBarInfo(window, OBJID_MENU, 2, &info));
    EXPECT_EQ(info.rcBar, item1);
    EXPECT_FALSE(GetMenuBarInfo(window, OBJID_MENU, 9, &info));
    ASSERT_TRUE(GetMenuBarInfo(window, OBJID_SYSMENU, 0, &info));
    EXPECT_EQ(info.hMenu, GetSystemMenu(window, FALSE));
    info.cbSize = 1;
    EXPECT_FALSE(GetMenuBarInfo(window, OBJID_MENU, 0, &info));
}

TEST_F(MenuBarTest, Click_OpensTheDropDownAndMovingAlongTheBarSwitchesIt) {
    HMENU shownAfterMove = nullptr;
    Script({[&] {
                EXPECT_EQ(SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0),
                          reinterpret_cast<LRESULT>(file));
                POINT p = Centre(ItemRect(window, bar, 1));
                headless::MoveMouse(p.x, p.y);
            },
            [&] {
                shownAfterMove = reinterpret_cast<HMENU>(
                    SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0));
                EXPECT_EQ(MenuWindowCount(), 1);
                ClickItem(window, edit, 0);
            }});
    POINT p = Centre(ItemRect(window, bar, 0));
    headless::MoveMouse(p.x, p.y);
    headless::Click(p.x, p.y);
    headless::RunUntilIdle();
    EXPECT_EQ(shownAfterMove, edit);
    EXPECT_EQ(Commands(), std::vector<WPARAM>{21});
    auto enter = Logged(window, WM_ENTERMENULOOP);
    ASSERT_EQ(enter.size(), 1u);
    EXPECT_EQ(enter[0].wParam, static_cast<WPARAM>(FALSE)) << "not TrackPopupMenu";
    auto init = Logged(window, WM_INITMENU);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(bar));
    auto popups = Logged(window, WM_INITMENUPOPUP);
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(LOWORD(popups[1].lParam), 1u);
}

TEST_F(MenuBarTest, TopLevelItemWithoutSubmenu_SendsItsCommandAndOpensNothing) {
    POINT p = Centre(ItemRect(window, bar, 2));
    headless::MoveMouse(p.x, p.y);
    headless::Click(p.x, p.y);
    headless::RunUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{30});
    EXPECT_TRUE(Logged(window, WM_INITMENUPOPUP).empty());
}

TEST_F(MenuBarTest, AltAndArrows_WalkTheBarWrappingAndChooseWithEnter) {
    Script({[&] {
                EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION) & MF_HILITE, static_cast<UINT>(MF_HILITE))
                    << "Alt alone selects the first bar item";
                EXPECT_EQ(MenuWindowCount(), 0);
                Key(VK_LEFT);
            },
            [&] {
                EXPECT_EQ(GetMenuState(bar, 2, MF_BYPOSITION) & MF_HILITE, static_cast<UINT>(MF_HILITE))
                    << "left from the first wraps to the last";
                Key(VK_RIGHT);
            },
            [&] { Key(VK_DOWN); },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 1) << "down opens the drop-down";
                Key(VK_RIGHT);
            },
            [&] {
                EXPECT_EQ(SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0),
                          reinterpret_cast<LRESULT>(edit))
                    << "right on an item without submenu moves to the next drop-down";
                Key(VK_RIGHT);
            },
            [&] {
                EXPECT_EQ(GetMenuState(bar, 2, MF_BYPOSITION) & MF_HILITE, static_cast<UINT>(MF_HILITE));
                Key(VK_RIGHT);
            },
            [&] {
                EXPECT_EQ(SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0),
                          reinterpret_cast<LRESULT>(file))
                    << "and from the last wraps to the first";
                Key(VK_DOWN);
            },
            [] { Key(VK_RETURN); }});
    PressAlt();
    headless::RunUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{12});
}

TEST_F(MenuBarTest, AltWithALetter_OpensThatMenuAndEscapeStepsBack) {
    Script({[&] {
                EXPECT_EQ(SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0),
                          reinterpret_cast<LRESULT>(edit));
                Key(VK_ESCAPE);
            },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 0) << "back on the bar";
                EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION) & MF_HILITE, static_cast<UINT>(MF_HILITE));
                headless::TypeKey('R');
            }});
    headless::PressKey(VK_MENU);
    headless::TypeKey('E');
    headless::ReleaseKey(VK_MENU);
    headless::RunUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{30}) << "a mnemonic on the bar chooses its item";
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION) & MF_HILITE, 0u);
}

TEST_F(MenuBarTest, UnknownMnemonic_AsksTheWindowAndBeepsWhenNobodyTakesIt) {
    headless::PressKey(VK_MENU);
    headless::TypeKey('Q');
    headless::ReleaseKey(VK_MENU);
    headless::RunUntilIdle();
    auto asked = Logged(window, WM_MENUCHAR);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(LOWORD(asked[0].wParam), u'q');
    EXPECT_EQ(asked[0].lParam, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(MenuWindowCount(), 0);
}

TEST_F(MenuBarTest, DestroyingTheWindow_DestroysItsMenu) {
    DestroyWindow(window);
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(file));
}

} // namespace
