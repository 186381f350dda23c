// The system menu: its items for a normal, a maximised, a dialog and a tool window, the copy
// GetSystemMenu makes and reverts, the ways it opens (caption icon, Alt+Space, a right click
// on the caption) and its commands carried out by the default procedure.

#include "MenuTestSupport.h"

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

class SystemMenuTest : public WindowTest {
protected:
    static std::vector<std::string> Items(HMENU menu) {
        std::vector<std::string> items;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = "";
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            items.push_back(text);
        }
        return items;
    }
    static bool Enabled(HMENU menu, UINT command) {
        return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    // The menu's states as they are when it opens.
    static std::vector<bool> StatesWhenOpen(HWND window) {
        std::vector<bool> states;
        Script({[&] {
            HMENU menu = GetSystemMenu(window, FALSE);
            for (UINT command : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
                states.push_back(Enabled(menu, command));
            EndMenu();
        }});
        SendMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return states;
    }
    static POINT CaptionPoint(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return {(r.left + r.right) / 2,
                r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    }
};

TEST_F(SystemMenuTest, NormalWindow_HasTheSevenItemsWithTheirCommandsAndBitmaps) {
    HWND window = CreateTopLevel();
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetSystemMenu(window, FALSE), menu) << "one copy per window";
    std::vector<std::string> expected = {"还原(&R)",   "移动(&M)", "大小(&S)",        "最小化(&N)",
                                         "最大化(&X)", "",         "关闭(&C)\tAlt+F4"};
    EXPECT_EQ(Items(menu), expected);
    std::vector<UINT> commands;
    for (int i = 0; i < 7; ++i)
        commands.push_back(GetMenuItemID(menu, i));
    std::vector<UINT> expectedCommands = {SC_RESTORE,  SC_MOVE, SC_SIZE, SC_MINIMIZE,
                                          SC_MAXIMIZE, 0,       SC_CLOSE};
    EXPECT_EQ(commands, expectedCommands);
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), SC_CLOSE);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(menu, SC_CLOSE, FALSE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_POPUP_CLOSE);
    GetMenuItemInfoA(menu, SC_RESTORE, FALSE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_POPUP_RESTORE);

    EXPECT_EQ(GetSystemMenu(window, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(menu)) << "reverting drops the copy";
    EXPECT_NE(GetSystemMenu(window, FALSE), nullptr);
    HMENU copy = GetSystemMenu(window, FALSE);
    DestroyWindow(window);
    EXPECT_FALSE(IsMenu(copy)) << "the copy goes with its window";
}

TEST_F(SystemMenuTest, States_FollowTheWindowsStateAndStyles) {
    HWND window = CreateTopLevel();
    std::vector<bool> normal = {false, true, true, true, true, true};
    EXPECT_EQ(StatesWhenOpen(window), normal);
    ShowWindow(window, SW_MAXIMIZE);
    headless::RunUntilIdle();
    std::vector<bool> maximized = {true, false, false, true, false, true};
    EXPECT_EQ(StatesWhenOpen(window), maximized);
    ShowWindow(window, SW_MINIMIZE);
    headless::RunUntilIdle();
    std::vector<bool> minimized = {true, true, false, false, true, true};
    EXPECT_EQ(StatesWhenOpen(window), minimized);
}

TEST_F(SystemMenuTest, ToolAndDialogWindows_MoveSizeAndCloseOnly) {
    HWND tool = Create(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 120, nullptr, WS_EX_TOOLWINDOW);
    std::vector<std::string> toolItems = {"移动(&M)", "大小(&S)", "", "关闭(&C)\tAlt+F4"};
    EXPECT_EQ(Items(GetSystemMenu(tool, FALSE)), toolItems);
    HWND dialog = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 200, 120, nullptr,
                         WS_EX_DLGMODALFRAME);
    std::vector<std::string> dialogItems = {"移动(&M)", "", "关闭(&C)\tAlt+F4"};
    EXPECT_EQ(Items(GetSystemMenu(dialog, FALSE)), dialogItems);
}

TEST_F(SystemMenuTest, AltSpace_OpensItAndAChoiceIsCarriedOutByTheDefaultProcedure) {
    HWND window = CreateTopLevel();
    bool systemFlag = false;
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_INITMENUPOPUP)
            systemFlag = HIWORD(lParam) != 0;
        return std::nullopt;
    });
    Script({[] { headless::TypeKey('X'); }});
    headless::PressKey(VK_MENU);
    headless::TypeKey(VK_SPACE);
    headless::ReleaseKey(VK_MENU);
    headless::RunUntilIdle();
    EXPECT_TRUE(systemFlag) << "WM_INITMENUPOPUP names the system menu";
    auto commands = Logged(window, WM_SYSCOMMAND);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back().wParam & 0xFFF0, SC_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(window));
}

TEST_F(SystemMenuTest, CaptionIconAndRightClickOnTheCaption_OpenIt) {
    HWND window = CreateTopLevel();
    RECT r{};
    GetWindowRect(window, &r);
    int frame = GetSystemMetrics(SM_CXFRAME);
    POINT icon{r.left + frame + 8, r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2};
    RECT dropped{};
    Script({[&] {
        GetWindowRect(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), &dropped);
        Key(VK_ESCAPE);
    }});
    headless::MoveMouse(icon.x, icon.y);
    headless::Click(icon.x, icon.y);
    headless::RunUntilIdle();
    EXPECT_EQ(dropped.left, r.left + frame + 2) << "below the icon";
    EXPECT_GE(dropped.top, r.top + frame + GetSystemMetrics(SM_CYCAPTION) - 1);

    POINT caption = CaptionPoint(window);
    HMENU system = GetSystemMenu(window, FALSE);
    HMENU shown = nullptr;
    Script({[&] {
        shown = reinterpret_cast<HMENU>(
            SendMessageW(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), MN_GETHMENU, 0, 0));
        GetWindowRect(FindWindowA(POPUPMENU_CLASS_NAME, nullptr), &dropped);
        ClickItem(window, shown, 6);
    }});
    headless::MoveMouse(caption.x, caption.y);
    headless::Click(caption.x, caption.y, platform::MouseButton::Right);
    headless::RunUntilIdle();
    EXPECT_EQ(shown, system);
    EXPECT_EQ(dropped.left, caption.x) << "at the click";
    EXPECT_FALSE(IsWindow(window)) << "关闭 closed the window";
}

TEST_F(SystemMenuTest, ContextMenu_ComesFromTheRightButtonAndShiftF10) {
    HWND window = CreateTopLevel();
    HWND child = CreateChild(window, 10, 10, 50, 50);
    POINT inside{0, 0};
    ClientToScreen(child, &inside);
    headless::MoveMouse(inside.x + 5, inside.y + 5);
    headless::Click(inside.x + 5, inside.y + 5, platform::MouseButton::Right);
    headless::RunUntilIdle();
    auto fromChild = Logged(child, WM_CONTEXTMENU);
    ASSERT_EQ(fromChild.size(), 1u);
    EXPECT_EQ(fromChild[0].wParam, reinterpret_cast<WPARAM>(child));
    EXPECT_EQ(GET_X_LPARAM(fromChild[0].lParam), inside.x + 5) << "the screen point";
    EXPECT_EQ(Logged(window, WM_CONTEXTMENU).size(), 1u) << "passed on to the parent";
    ClearLog();
    SetFocus(child);
    headless::PressKey(VK_SHIFT);
    headless::TypeKey(VK_F10);
    headless::ReleaseKey(VK_SHIFT);
    headless::RunUntilIdle();
    auto fromKeyboard = Logged(child, WM_CONTEXTMENU);
    ASSERT_EQ(fromKeyboard.size(), 1u);
    EXPECT_EQ(fromKeyboard[0].lParam, -1);
}

} // namespace
