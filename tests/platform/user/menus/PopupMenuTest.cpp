// Popup menus: the notifications of a choice by mouse and by keyboard, cascading submenus,
// placement, clicks outside, the "#32768" windows as hooks and subclasses see them, the
// MSGF_MENU message filter, and owner-drawn items.

#include "MenuTestSupport.h"

#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

using namespace testing_support;
using namespace menu_testing;
namespace headless = platform::headless;

namespace {

class PopupMenuTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = CreateTopLevel(50, 50, 300, 200);
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "第一(&A)");
        AppendMenuA(menu, MF_STRING, 2, "第二(&B)\tCtrl+B");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 3, "灰色(&C)");
        sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 4, "内层(&D)");
        AppendMenuA(sub, MF_STRING, 5, "内层二(&E)");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "更多(&M)");
        ClearLog();
    }
    void TearDown() override {
        DestroyMenu(menu);
        WindowTest::TearDown();
    }
    UINT Track(UINT flags, int x = 100, int y = 100) {
        return static_cast<UINT>(TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr));
    }
    std::vector<WPARAM> Commands() const {
        std::vector<WPARAM> commands;
        for (const LoggedMessage& m : Logged(owner, WM_COMMAND))
            commands.push_back(m.wParam);
        return commands;
    }
    static HWND MenuWindow() { return FindWindowA(POPUPMENU_CLASS_NAME, nullptr); }

    HWND owner = nullptr;
    HMENU menu = nullptr;
    HMENU sub = nullptr;
};

TEST_F(PopupMenuTest, MouseChoice_NotifiesInOrderAndPostsTheCommand) {
    Script({[&] { ClickItem(owner, menu, 1); }});
    EXPECT_TRUE(Track(TPM_LEFTALIGN));
    EXPECT_EQ(MenuWindow(), nullptr) << "the menu window is gone";
    EXPECT_TRUE(Commands().empty()) << "the command is posted, not sent";
    headless::RunUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{2});
    std::vector<UINT> expected = {WM_ENTERMENULOOP,   WM_INITMENU,   WM_INITMENUPOPUP, WM_MENUSELECT,
                                  WM_UNINITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP,  WM_COMMAND};
    EXPECT_EQ(MenuMessages(owner), expected);
    auto selects = Logged(owner, WM_MENUSELECT);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(LOWORD(selects[0].wParam), 2u);
    EXPECT_EQ(HIWORD(selects[0].wParam), MF_HILITE | MF_MOUSESELECT);
    EXPECT_EQ(selects[0].lParam, reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(HIWORD(selects[1].wParam), 0xFFFFu) << "the close notification";
    EXPECT_EQ(selects[1].lParam, 0);
    auto init = Logged(owner, WM_INITMENUPOPUP);
    EXPECT_EQ(init[0].wParam, reinterpret_cast<WPARAM>(menu));
    EXPECT_EQ(init[0].lParam, 0);
    EXPECT_EQ(Logged(owner, WM_ENTERMENULOOP)[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYCOMMAND) & MF_HILITE, 0u) << "no item stays highlighted";
}

TEST_F(PopupMenuTest, KeyboardChoice_ArrowsSkipSeparatorsWrapAndReturnTheCommand) {
    // Up from nothing wraps to the last item, down from there to the first, then down skips
    // the separator and stops on the disabled item.
    Script({[] { Key(VK_UP); }, [] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_DOWN); },
            [] { Key(VK_RETURN); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u) << "Enter on the disabled item closes without a command";
    Script({[] { Key(VK_UP); }, [] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_RETURN); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 2u);
    headless::RunUntilIdle();
    EXPECT_TRUE(Commands().empty()) << "TPM_RETURNCMD posts nothing";
}

// A display reports the pointer where it rests when a menu window appears over or beside it;
// that is no move, so the item chosen by the keyboard stays selected.
TEST_F(PopupMenuTest, KeyboardChoice_SurvivesAMoveReportedWhereThePointerRests) {
    headless::MoveMouse(20, 20);
    headless::RunUntilIdle();
    Script({[] { Key(VK_DOWN); }, [] { headless::MoveMouse(20, 20); }, [] { Key(VK_RETURN); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 1u);
}

TEST_F(PopupMenuTest, Mnemonics_ChooseTheItemOrAskTheOwner) {
    Script({[] { headless::TypeKey('B'); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 2u);
    // An unknown letter goes to WM_MENUCHAR; MNC_EXECUTE chooses the item it names.
    SetHandler([](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_MENUCHAR && LOWORD(wParam) == u'z')
            return MAKELRESULT(0, MNC_EXECUTE);
        return std::nullopt;
    });
    Script({[] { headless::TypeKey('Z'); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 1u);
    auto asked = Logged(owner, WM_MENUCHAR);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(HIWORD(asked[0].wParam), MF_POPUP);
    EXPECT_EQ(asked[0].lParam, reinterpret_cast<LPARAM>(menu));
}

TEST_F(PopupMenuTest, Cascade_OpensOnHoverAfterTheDelayAndOnTheRightArrow) {
    DWORD hoverStart = 0;
    DWORD opened = 0;
    SetHandler([&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_INITMENUPOPUP && wParam == reinterpret_cast<WPARAM>(sub))
            opened = headless::Now();
        return std::nullopt;
    });
    Script({[&] {
                POINT p = Centre(ItemRect(owner, menu, 4));
                hoverStart = headless::Now();
                headless::MoveMouse(p.x, p.y);
            },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 2) << "the submenu is open";
                ClickItem(owner, sub, 1);
            }});
    EXPECT_TRUE(Track(0));
    headless::RunUntilIdle();
    EXPECT_EQ(Commands(), std::vector<WPARAM>{5});
    UINT delay = 0;
    SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    EXPECT_GE(opened - hoverStart, delay);
    auto init = Logged(owner, WM_INITMENUPOPUP);
    ASSERT_EQ(init.size(), 2u);
    EXPECT_EQ(LOWORD(init[1].lParam), 4u) << "the position of the item that opened it";
    EXPECT_EQ(Logged(owner, WM_UNINITMENUPOPUP).size(), 2u);

    // By keyboard: right opens it with its first item selected, left and Escape close it.
    ClearLog();
    Script({[] { Key(VK_UP); }, [] { Key(VK_RIGHT); },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 2);
                EXPECT_EQ(GetMenuState(sub, 4, MF_BYCOMMAND) & MF_HILITE, static_cast<UINT>(MF_HILITE));
                Key(VK_LEFT);
            },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 1);
                Key(VK_RIGHT);
            },
            [] { Key(VK_ESCAPE); },
            [&] {
                EXPECT_EQ(MenuWindowCount(), 1);
                Key(VK_ESCAPE);
            }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
}

TEST_F(PopupMenuTest, ClickOutside_ClosesTheMenuAndIsEaten) {
    Script({[] { headless::Click(320, 200); }});
    EXPECT_EQ(Track(TPM_RETURNCMD, 60, 60), 0u);
    headless::RunUntilIdle();
    EXPECT_TRUE(Logged(owner, WM_LBUTTONDOWN).empty());
    // A click on a disabled item or a separator leaves the menu open.
    Script({[&] { ClickItem(owner, menu, 3); }, [&] { ClickItem(owner, menu, 2); },
            [&] {
                EXPECT_NE(MenuWindow(), nullptr);
                ClickItem(owner, menu, 0);
            }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 1u);
}

TEST_F(PopupMenuTest, Placement_FollowsTheAlignmentTheScreenAndTheExcludedRectangle) {
    RECT placed{};
    auto measure = [&] {
        GetWindowRect(MenuWindow(), &placed);
        Key(VK_ESCAPE);
    };
    Script({measure});
    Track(TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 400, 300);
    EXPECT_EQ(placed.right, 400);
    EXPECT_EQ(placed.bottom, 300);
    int width = placed.right - placed.left;
    int height = placed.bottom - placed.top;
    Script({measure});
    Track(TPM_CENTERALIGN | TPM_VCENTERALIGN, 400, 300);
    EXPECT_EQ(placed.left, 400 - width / 2);
    EXPECT_EQ(placed.top, 300 - height / 2);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    Script({measure});
    Track(0, screenWidth - 5, 300);
    EXPECT_EQ(placed.right, screenWidth - 5) << "flipped to the left of the point at the screen's edge";
    TPMPARAMS params{sizeof params, {90, 90, 300, 140}};
    Script({measure});
    TrackPopupMenuEx(menu, TPM_VERTICAL, 100, 100, owner, &params);
    EXPECT_EQ(placed.top, 140) << "moved below the excluded rectangle";
    EXPECT_EQ(placed.left, 100);
    Script({measure});
    TrackPopupMenuEx(menu, TPM_HORIZONTAL, 100, 100, owner, &params);
    EXPECT_EQ(placed.left, 300) << "moved beside it";
    params.cbSize = 3;
    EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 100, 100, owner, &params));
    EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(0x777), 0, 1, 1, 0, owner, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_MENU_HANDLE);
}

// The CBT hook of the test below: every menu window created and destroyed.
HHOOK g_cbt = nullptr;
std::vector<std::pair<int, HWND>> g_cbtEvents;
std::vector<HMENU> g_menusAtCreation;

LRESULT CALLBACK WatchMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_DESTROYWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == POPUPMENU_CLASS_NAME)
            g_cbtEvents.push_back({code, window});
    }
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

TEST_F(PopupMenuTest, MenuWindows_AreSeenByTheCbtHookAndNameTheirMenu) {
    g_cbtEvents.clear();
    g_cbt = SetWindowsHookExW(WH_CBT, WatchMenuWindows, nullptr, GetCurrentThreadId());
    HMENU shown = nullptr;
    HMENU shownSub = nullptr;
    Script({[&] {
                shown = reinterpret_cast<HMENU>(SendMessageW(MenuWindow(), MN_GETHMENU, 0, 0));
                Key(VK_UP);
                Key(VK_RIGHT);
            },
            [&] {
                shownSub = reinterpret_cast<HMENU>(SendMessageW(MenuWindow(), MN_GETHMENU, 0, 0));
                Key(VK_ESCAPE);
                Key(VK_ESCAPE);
            }});
    Track(0);
    UnhookWindowsHookEx(g_cbt);
    EXPECT_EQ(shown, menu);
    EXPECT_EQ(shownSub, sub) << "the newest menu window is the topmost";
    ASSERT_EQ(g_cbtEvents.size(), 4u);
    EXPECT_EQ(g_cbtEvents[0].first, HCBT_CREATEWND);
    EXPECT_EQ(g_cbtEvents[1].first, HCBT_CREATEWND);
    EXPECT_EQ(g_cbtEvents[2].first, HCBT_DESTROYWND);
    EXPECT_EQ(g_cbtEvents[2].second, g_cbtEvents[1].second) << "the submenu's window goes first";
    EXPECT_EQ(g_cbtEvents[3].second, g_cbtEvents[0].second);
    EXPECT_EQ(GetWindowLongW(g_cbtEvents[0].second, GWL_STYLE), 0) << "destroyed";
}

// A skin-like subclass: the border red on WM_NCPAINT, the background green on WM_PRINT, then
// the menu's own procedure draws the items over it.
WNDPROC g_previous = nullptr;
constexpr COLORREF Border = RGB(255, 0, 0);
constexpr COLORREF Background = RGB(0, 255, 0);

LRESULT CALLBACK SkinnedMenu(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    switch (message) {
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(window);
        HBRUSH brush = CreateSolidBrush(Border);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINT: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        HBRUSH brush = CreateSolidBrush(Background);
        RECT inner = r;
        InflateRect(&inner, -3, -3);
        FillRect(dc, &inner, brush);
        DeleteObject(brush);
        int mode = SetBkMode(dc, TRANSPARENT);
        int saved = SaveDC(dc);
        IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
        LRESULT result = CallWindowProcW(g_previous, window, message, wParam, lParam);
        RestoreDC(dc, saved);
        SetBkMode(dc, mode);
        return result;
    }
    default:
        return CallWindowProcW(g_previous, window, message, wParam, lParam);
    }
}

LRESULT CALLBACK SubclassMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == POPUPMENU_CLASS_NAME)
            g_previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SkinnedMenu)));
    }
    return CallNextHookEx(g_cbt, code, wParam, lParam);
}

int CountPixels(HWND window, const RECT& area, COLORREF colour) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += headless::ReadPixel(window, x, y) == colour;
    }
    return count;
}

TEST_F(PopupMenuTest, SubclassedMenuWindow_PaintsItsBackgroundAndTheItemsStillAppear) {
    g_cbt = SetWindowsHookExW(WH_CBT, SubclassMenuWindows, nullptr, GetCurrentThreadId());
    Script({[&] {
        HWND window = MenuWindow();
        EXPECT_EQ(headless::ReadPixel(window, 0, 0), Border);
        EXPECT_EQ(headless::ReadPixel(window, 1, 10), Border);
        RECT item = ItemRect(owner, menu, 0);
        RECT frame{};
        GetWindowRect(window, &frame);
        OffsetRect(&item, -frame.left, -frame.top);
        int area = (item.right - item.left) * (item.bottom - item.top);
        int green = CountPixels(window, item, Background);
        int text = CountPixels(window, item, GetSysColor(COLOR_MENUTEXT));
        EXPECT_GT(green, area / 2) << "the background shows between the letters";
        EXPECT_GT(text, 20) << "the item's text is drawn over it";
        EXPECT_EQ(CountPixels(window, item, GetSysColor(COLOR_MENU)), 0);
        Key(VK_ESCAPE);
    }});
    Track(0);
    UnhookWindowsHookEx(g_cbt);
}

HHOOK g_filter = nullptr;
int g_menuFilterCalls = 0;

LRESULT CALLBACK SwallowDownArrow(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU) {
        ++g_menuFilterCalls;
        if (message->message == WM_KEYDOWN && message->wParam == VK_DOWN)
            return 1;
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

TEST_F(PopupMenuTest, MessageFilter_SeesEveryMessageAsMsgfMenuAndSwallows) {
    g_menuFilterCalls = 0;
    g_filter = SetWindowsHookExW(WH_MSGFILTER, SwallowDownArrow, nullptr, GetCurrentThreadId());
    Script({[] { Key(VK_DOWN); }, [] { Key(VK_ESCAPE); }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
    UnhookWindowsHookEx(g_filter);
    EXPECT_GE(g_menuFilterCalls, 4) << "key downs and ups of both keys";
    for (const LoggedMessage& m : Logged(owner, WM_MENUSELECT))
        EXPECT_EQ(HIWORD(m.wParam), 0xFFFFu) << "the arrow never reached the menu: nothing was selected";
}

TEST_F(PopupMenuTest, OwnerDrawnItems_AreMeasuredAndDrawnByTheOwner) {
    HMENU drawn = CreatePopupMenu();
    AppendMenuA(drawn, MF_OWNERDRAW, 7, reinterpret_cast<LPCSTR>(0x77));
    AppendMenuA(drawn, MF_OWNERDRAW | MF_CHECKED | MF_GRAYED, 8, reinterpret_cast<LPCSTR>(0x88));
    std::vector<DRAWITEMSTRUCT> draws;
    SetHandler([&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message == WM_MEASUREITEM) {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            EXPECT_EQ(measure->CtlType, ODT_MENU);
            measure->itemWidth = 100;
            measure->itemHeight = measure->itemData == 0x77 ? 30 : 20;
            return TRUE;
        }
        if (message == WM_DRAWITEM) {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            draws.push_back(*draw);
            HBRUSH brush =
                CreateSolidBrush((draw->itemState & ODS_SELECTED) ? RGB(0, 0, 255) : RGB(255, 255, 0));
            FillRect(draw->hDC, &draw->rcItem, brush);
            DeleteObject(brush);
            return TRUE;
        }
        return std::nullopt;
    });
    RECT frame{};
    COLORREF selected = 0;
    Script({[&] {
                GetWindowRect(MenuWindow(), &frame);
                EXPECT_EQ(headless::ReadPixel(MenuWindow(), 10, 10), RGB(255, 255, 0));
                headless::MoveMouse(frame.left + 20, frame.top + 10);
            },
            [&] {
                selected = headless::ReadPixel(MenuWindow(), 10, 10);
                Key(VK_ESCAPE);
            }});
    TrackPopupMenu(drawn, 0, 100, 100, 0, owner, nullptr);
    DestroyMenu(drawn);
    EXPECT_EQ(frame.right - frame.left, 100 + 6);
    EXPECT_EQ(frame.bottom - frame.top, 30 + 20 + 6);
    EXPECT_EQ(selected, RGB(0, 0, 255));
    ASSERT_GE(draws.size(), 3u);
    EXPECT_EQ(draws[0].CtlType, ODT_MENU);
    EXPECT_EQ(draws[0].itemID, 7u);
    EXPECT_EQ(draws[0].itemData, 0x77u);
    EXPECT_EQ(draws[0].hwndItem, reinterpret_cast<HWND>(drawn)) << "a menu item names its menu";
    EXPECT_EQ(draws[0].rcItem, (RECT{0, 0, 100, 30}));
    EXPECT_EQ(draws[0].itemState, static_cast<UINT>(ODS_NOACCEL)) << "opened by the mouse: no underlines";
    EXPECT_EQ(draws[1].itemState, static_cast<UINT>(ODS_CHECKED | ODS_GRAYED | ODS_NOACCEL));
    bool sawSelected = false;
    for (const DRAWITEMSTRUCT& d : draws)
        sawSelected |= d.itemID == 7 && (d.itemState & ODS_SELECTED);
    EXPECT_TRUE(sawSelected);
}

TEST_F(PopupMenuTest, EndMenu_ClosesTheOpenMenuAndNestedCallsAreRefused) {
    BOOL nested = TRUE;
    Script({[&] {
        nested = TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
        EXPECT_TRUE(EndMenu());
    }});
    EXPECT_EQ(Track(TPM_RETURNCMD), 0u);
    EXPECT_FALSE(nested);
    EXPECT_FALSE(EndMenu()) << "no menu is open";
}

} // namespace
